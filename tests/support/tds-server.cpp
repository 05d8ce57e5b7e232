#include "tests/support/tds-server.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <list>
#include <mutex>
#include <thread>

#include "tests/support/tds-wire.h"

namespace tarvex::test::tds {

// ------------------------------------------------------------------ Reply

namespace {

std::vector<ColumnSpec> column_specs(const std::vector<Column>& columns) {
  std::vector<ColumnSpec> out;
  out.reserve(columns.size());
  for (const auto& c : columns) out.push_back({c.name, parse_type(c.type), c.nullable});
  if (out.empty()) throw std::invalid_argument("a result needs at least one column");
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && g_ascii_isspace(s.front())) s.remove_prefix(1);
  while (!s.empty() && g_ascii_isspace(s.back())) s.remove_suffix(1);
  return s;
}

bool ends_statement(detail::Item::Kind k) {
  using K = detail::Item;
  return k == K::ResultEnd || k == K::RowCount || k == K::Done || k == K::Generate ||
         k == K::DoneError;
}

// Items after which nothing more is sent on the connection.
bool ends_connection(detail::Item::Kind k) {
  using K = detail::Item;
  return k == K::Drop || k == K::Reset || k == K::BadPacket;
}

}  // namespace

void Reply::close_result() {
  if (!result_open_) return;
  detail::Item it;
  it.kind = detail::Item::ResultEnd;
  items_.push_back(std::move(it));
  result_open_ = false;
}

Reply& Reply::result(const std::vector<Column>& columns) {
  auto specs = column_specs(columns);
  close_result();
  detail::Item it;
  it.kind = detail::Item::ResultStart;
  it.columns = specs;
  items_.push_back(std::move(it));
  open_columns_ = std::move(specs);
  result_open_ = true;
  return *this;
}

Reply& Reply::row(const Row& cells) {
  if (!result_open_) throw std::logic_error("row() without an open result");
  if (cells.size() != open_columns_.size())
    throw std::invalid_argument("a row of " + std::to_string(cells.size()) + " cells for " +
                                std::to_string(open_columns_.size()) + " columns");
  detail::Item it;
  it.kind = detail::Item::Row;
  it.cells.reserve(cells.size());
  for (size_t k = 0; k < cells.size(); k++) {
    const ColumnSpec& col = open_columns_[k];
    if (!cells[k]) {
      if (!col.nullable)
        throw std::invalid_argument("NULL in column \"" + col.name + "\", which is not nullable");
      it.cells.emplace_back();
    } else {
      it.cells.push_back(parse_value(col.type, *cells[k]));
    }
  }
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::rows(const std::vector<Row>& rows) {
  for (const auto& r : rows) row(r);
  return *this;
}

Reply& Reply::without_count() {
  if (!result_open_) throw std::logic_error("without_count() without an open result");
  close_result();
  items_.back().with_count = false;
  return *this;
}

Reply& Reply::end_result() {
  close_result();
  return *this;
}

Reply& Reply::generate(uint64_t rows, const std::vector<Column>& columns) {
  auto specs = column_specs(columns);
  close_result();
  detail::Item it;
  it.kind = detail::Item::Generate;
  it.columns = std::move(specs);
  it.count = rows;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::row_count(uint64_t count) {
  close_result();
  detail::Item it;
  it.kind = detail::Item::RowCount;
  it.count = count;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::done() {
  close_result();
  detail::Item it;
  it.kind = detail::Item::Done;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::info(int32_t number, std::string text, uint8_t severity) {
  ServerMessage m;
  m.number = number;
  m.severity = severity;
  m.text = std::move(text);
  return message(m);
}

Reply& Reply::error(int32_t number, uint8_t severity, std::string text) {
  ServerMessage m;
  m.number = number;
  m.severity = severity;
  m.text = std::move(text);
  return message(m);
}

Reply& Reply::message(const ServerMessage& message) {
  detail::Item it;
  it.kind = detail::Item::Message;
  it.message = message;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::delay(std::chrono::milliseconds ms) {
  detail::Item it;
  it.kind = detail::Item::Delay;
  it.delay = ms;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::drop() {
  detail::Item it;
  it.kind = detail::Item::Drop;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::use_database(std::string name) {
  detail::Item it;
  it.kind = detail::Item::UseDatabase;
  it.name = std::move(name);
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::reset() {
  detail::Item it;
  it.kind = detail::Item::Reset;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::done_error() {
  close_result();
  detail::Item it;
  it.kind = detail::Item::DoneError;
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::error_token(int32_t number, uint8_t severity, std::string text) {
  ServerMessage m;
  m.number = number;
  m.severity = severity;
  m.text = std::move(text);
  m.error_token = true;
  return message(m);
}

Reply& Reply::raw(std::string bytes) {
  detail::Item it;
  it.kind = detail::Item::Raw;
  it.name = std::move(bytes);
  items_.push_back(std::move(it));
  return *this;
}

Reply& Reply::bad_packet() {
  detail::Item it;
  it.kind = detail::Item::BadPacket;
  items_.push_back(std::move(it));
  return *this;
}

// ------------------------------------------------------------------- Rule

struct Rule::Matcher {
  GRegex* regex = nullptr;
  ~Matcher() {
    if (regex) g_regex_unref(regex);
  }
};

Rule::Rule(Match match, std::string text)
    : match_(match), text_(std::move(text)), matcher_(new Matcher) {
  if (match_ == Match::Pattern) {
    GError* error = nullptr;
    matcher_->regex =
        g_regex_new(text_.c_str(), GRegexCompileFlags(G_REGEX_DOTALL | G_REGEX_MULTILINE),
                    GRegexMatchFlags(0), &error);
    if (!matcher_->regex) {
      std::string why = error ? error->message : "bad pattern";
      g_clear_error(&error);
      throw std::invalid_argument("bad pattern \"" + text_ + "\": " + why);
    }
  }
}

Rule::~Rule() = default;

Rule& Rule::times(int n) {
  remaining_ = n;
  return *this;
}

bool Rule::matches(std::string_view batch) const {
  if (remaining_ == 0) return false;
  if (match_ == Match::Exact) return trim(batch) == trim(text_);
  std::string s(batch);
  return g_regex_match(matcher_->regex, s.c_str(), GRegexMatchFlags(0), nullptr);
}

bool Rule::take() {
  if (remaining_ == 0) return false;
  if (remaining_ > 0) remaining_--;
  return true;
}

std::vector<detail::Item> Rule::plan() const {
  using detail::Item;
  std::vector<Item> plan = items_;
  if (result_open_) {
    Item it;
    it.kind = Item::ResultEnd;
    plan.push_back(std::move(it));
  }
  auto drop =
      std::find_if(plan.begin(), plan.end(), [](const Item& i) { return ends_connection(i.kind); });
  if (drop != plan.end()) {
    plan.erase(drop + 1, plan.end());
  } else {
    // Whatever follows the last statement still needs a DONE to end the reply.
    bool needs_done = true;
    for (auto it = plan.rbegin(); it != plan.rend(); ++it) {
      if (ends_statement(it->kind)) {
        needs_done = false;
        break;
      }
      if (it->kind == Item::Message || it->kind == Item::UseDatabase) break;
    }
    if (needs_done) {
      Item it;
      it.kind = Item::Done;
      plan.push_back(std::move(it));
    }
  }
  Item* last = nullptr;
  for (auto& it : plan)
    if (ends_statement(it.kind)) {
      if (last) last->more = true;
      last = &it;
    }
  return plan;
}

// ------------------------------------------------------------------ State

struct Connection;

struct Server::State {
  mutable std::mutex mutex;
  ServerOptions options;
  std::vector<std::pair<std::string, std::string>> accounts;
  std::vector<std::string> databases;
  bool login_failure = false;
  std::vector<std::shared_ptr<Rule>> rules;
  std::vector<ReceivedBatch> batches;
  std::vector<LoginRecord> logins;
  size_t attentions = 0;
  size_t connections = 0;
  std::function<void(const ReceivedBatch&)> observer;

  int listen_fd = -1;
  int stop_fd = -1;
  uint16_t port = 0;
  std::string host;
  std::thread acceptor;
  std::atomic<bool> running{false};
  std::mutex threads_mutex;
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> finished;
  };
  std::list<Worker> workers;

  void accept_loop();
  void reap(bool all);
};

namespace {

constexpr size_t kSendThreshold = 256 * 1024;
constexpr uint32_t kDefaultPacket = 4096;

// Waits for `fd` to be ready for `events` or the server to stop.
// Returns 1 when ready, 0 on timeout, -1 when stopping.
int wait_fd(int fd, short events, int stop_fd, int timeout_ms) {
  pollfd p[2] = {{fd, events, 0}, {stop_fd, POLLIN, 0}};
  for (;;) {
    int r = poll(p, 2, timeout_ms);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (p[1].revents) return -1;
    if (r == 0) return 0;
    return 1;
  }
}

void put_token_with_length(PacketWriter& w, uint8_t token, const std::string& body) {
  w.u8(token);
  w.u16(uint16_t(body.size()));
  w.bytes(body);
}

void body_u8(std::string& b, uint8_t v) {
  b += char(v);
}
void body_u16(std::string& b, uint16_t v) {
  b += char(v & 0xFF);
  b += char(v >> 8);
}
void body_u32(std::string& b, uint32_t v) {
  for (int k = 0; k < 4; k++) b += char((v >> (8 * k)) & 0xFF);
}
void body_bvarchar(std::string& b, std::string_view utf8) {
  std::string w;
  append_utf16le(w, utf8);
  size_t chars = std::min<size_t>(w.size() / 2, 255);
  b += char(chars);
  b.append(w.data(), chars * 2);
}
void body_usvarchar(std::string& b, std::string_view utf8) {
  std::string w;
  append_utf16le(w, utf8);
  size_t chars = std::min<size_t>(w.size() / 2, 65535);
  body_u16(b, uint16_t(chars));
  b.append(w.data(), chars * 2);
}

void put_envchange_text(PacketWriter& w, uint8_t type, std::string_view now,
                        std::string_view before) {
  std::string b;
  body_u8(b, type);
  body_bvarchar(b, now);
  body_bvarchar(b, before);
  put_token_with_length(w, kTokenEnvChange, b);
}

void put_message(PacketWriter& w, const ServerMessage& m, const std::string& server,
                 uint32_t version) {
  std::string b;
  body_u32(b, uint32_t(m.number));
  body_u8(b, m.state);
  body_u8(b, m.severity);
  body_usvarchar(b, m.text);
  body_bvarchar(b, server);
  body_bvarchar(b, m.procedure);
  if (version >= kTds72)
    body_u32(b, uint32_t(m.line));
  else
    body_u16(b, uint16_t(m.line));
  put_token_with_length(w, m.severity > 10 || m.error_token ? kTokenError : kTokenInfo, b);
}

void put_done(PacketWriter& w, uint16_t status, uint64_t count, uint32_t version,
              uint16_t command = 0) {
  w.u8(kTokenDone);
  w.u16(status);
  w.u16(command);
  if (version >= kTds72)
    w.u64(count);
  else
    w.u32(uint32_t(count));
}

}  // namespace

// -------------------------------------------------------------- Connection

struct Connection {
  Server::State* state;  // outlives every connection: stop() joins them
  int fd;
  int id;
  uint16_t spid;
  ServerOptions options;
  uint32_t version = kTds74;
  uint32_t packet_size = kDefaultPacket;
  PacketWriter out;
  bool logged_in = false;
  std::string database;

  enum class Outcome { Sent, Attention, Closed };

  Connection(Server::State* s, int fd_, int id_, ServerOptions opts)
      : state(s),
        fd(fd_),
        id(id_),
        spid(uint16_t(opts.first_spid + id_)),
        options(std::move(opts)),
        out(kPacketReply, spid, kDefaultPacket) {}

  ~Connection() {
    if (fd >= 0) close(fd);
  }

  void run();

  // ---- input
  bool read_exact(uint8_t* p, size_t n) {
    while (n > 0) {
      ssize_t r = recv(fd, p, n, 0);
      if (r > 0) {
        p += r;
        n -= size_t(r);
        continue;
      }
      if (r == 0) return false;
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
      if (wait_fd(fd, POLLIN, state->stop_fd, -1) <= 0) return false;
    }
    return true;
  }

  bool read_message(Message& m) {
    m.payload.clear();
    for (;;) {
      uint8_t h[8];
      if (!read_exact(h, 8)) return false;
      size_t len = size_t(h[2]) << 8 | h[3];
      if (len < 8) return false;
      m.type = h[0];
      size_t at = m.payload.size();
      m.payload.resize(at + len - 8);
      if (!read_exact(m.payload.data() + at, len - 8)) return false;
      if (h[1] & 0x01) return true;
    }
  }

  // Looks for input while replying: only an attention may come.
  Outcome poll_input(int timeout_ms) {
    int r = wait_fd(fd, POLLIN, state->stop_fd, timeout_ms);
    if (r == 0) return Outcome::Sent;
    if (r < 0) return Outcome::Closed;
    Message m;
    if (!read_message(m)) return Outcome::Closed;
    if (m.type == kPacketAttention) return Outcome::Attention;
    return Outcome::Closed;
  }

  // ---- output
  bool send_ready() {
    size_t n = out.ready();
    const uint8_t* p = out.data();
    size_t sent = 0;
    while (sent < n) {
      ssize_t r = send(fd, p + sent, n - sent, MSG_NOSIGNAL);
      if (r > 0) {
        sent += size_t(r);
        continue;
      }
      if (r < 0 && errno == EINTR) continue;
      if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (wait_fd(fd, POLLOUT, state->stop_fd, -1) <= 0) return false;
        continue;
      }
      return false;
    }
    out.consume(n);
    return true;
  }

  bool end_message() {
    out.end_message();
    return send_ready();
  }

  // Sends what is buffered once enough gathered, and looks for an attention.
  Outcome maybe_flush() {
    if (out.ready() < kSendThreshold) return Outcome::Sent;
    if (!send_ready()) return Outcome::Closed;
    return poll_input(0);
  }

  Outcome acknowledge_attention() {
    {
      std::lock_guard<std::mutex> lock(state->mutex);
      state->attentions++;
    }
    // Everything buffered ends on a token boundary; the acknowledgement
    // goes in a packet of its own after it.
    out.close_partial();
    if (!send_ready()) return Outcome::Closed;
    put_done(out, kDoneAttention, 0, version);
    return end_message() ? Outcome::Attention : Outcome::Closed;
  }

  void apply_packet_size() {
    size_t max = packet_size;
    if (options.split_packets > 0) max = std::min(max, options.split_packets + 8);
    out.set_max_packet(max);
  }

  bool handle_prelogin(const Message& m);
  bool handle_login(const Message& m);
  Outcome handle_batch(const Message& m);
  Outcome run_plan(const std::vector<detail::Item>& plan);
  Outcome send_unscripted(const std::string& text);
};

bool Connection::handle_prelogin(const Message& m) {
  (void)m;
  // VERSION, ENCRYPTION (not supported, so the client stays in clear text),
  // INSTOPT, THREADID, MARS.
  struct Opt {
    uint8_t token;
    std::string data;
  };
  std::vector<Opt> opts = {
      {0x00, std::string("\x10\x00\x03\xE8\x00\x00", 6)},
      {0x01, std::string("\x02", 1)},
      {0x02, std::string("\x00", 1)},
      {0x03, std::string()},
      {0x04, std::string("\x00", 1)},
  };
  size_t offset = opts.size() * 5 + 1;
  std::string head, body;
  for (const auto& o : opts) {
    head += char(o.token);
    head += char((offset + body.size()) >> 8);
    head += char((offset + body.size()) & 0xFF);
    head += char(o.data.size() >> 8);
    head += char(o.data.size() & 0xFF);
    body += o.data;
  }
  head += char(0xFF);
  out.begin_message();
  out.bytes(head);
  out.bytes(body);
  if (!end_message()) return false;
  // The PRELOGIN reply must be a single packet; from the login reply on
  // replies may be split.
  apply_packet_size();
  return true;
}

bool Connection::handle_login(const Message& m) {
  const auto& p = m.payload;
  LoginRecord rec;
  rec.connection = id;
  rec.tds_version = get_u32(p, 4);
  rec.packet_size = get_u32(p, 8);
  auto field = [&](size_t at) { return get_utf16(p, get_u16(p, at), get_u16(p, at + 2)); };
  rec.host_name = field(36);
  rec.user = field(40);
  rec.app_name = field(48);
  rec.server_name = field(52);
  rec.library = field(60);
  rec.language = field(64);
  rec.database = field(68);
  {
    // Each password byte has its nibbles swapped and is XORed with 0xA5.
    size_t at = get_u16(p, 44), chars = get_u16(p, 46);
    std::vector<uint8_t> pw;
    for (size_t k = at; k < at + chars * 2 && k < p.size(); k++) {
      uint8_t b = p[k] ^ 0xA5;
      pw.push_back(uint8_t((b << 4) | (b >> 4)));
    }
    rec.password = utf16le_to_utf8(pw.data(), pw.size());
  }
  // The 7.4 feature extension block: an offset to a list of features.
  bool wants_features = false;
  uint8_t flags3 = p.size() > 27 ? p[27] : 0;
  if (rec.tds_version >= kTds74 && (flags3 & 0x10)) {
    size_t ext = get_u32(p, get_u16(p, 56));
    wants_features = ext > 0 && ext < p.size();
  }

  // 7.3A (SQL Server 2008 before its release) is served as 7.3B.
  uint32_t asked = rec.tds_version == 0x730A0003 ? kTds73 : rec.tds_version;
  uint32_t version = std::min(asked, options.max_tds_version);
  bool known_version = rec.tds_version >= kTds71;
  std::string failure;
  std::vector<ServerMessage> failure_messages;
  {
    std::lock_guard<std::mutex> lock(state->mutex);
    bool ok = !state->login_failure && known_version;
    if (ok && !state->accounts.empty())
      ok = std::any_of(state->accounts.begin(), state->accounts.end(), [&](const auto& a) {
        return a.first == rec.user && a.second == rec.password;
      });
    if (ok && !rec.database.empty() && !state->databases.empty() &&
        std::find(state->databases.begin(), state->databases.end(), rec.database) ==
            state->databases.end()) {
      ServerMessage db;
      db.number = 4060;
      db.severity = 11;
      db.text =
          "Cannot open database \"" + rec.database + "\" requested by the login. The login failed.";
      failure_messages.push_back(db);
      ok = false;
    }
    rec.accepted = ok;
    rec.negotiated_version = ok ? version : 0;
    state->logins.push_back(rec);
  }

  version = known_version ? version : kTds71;
  this->version = version;
  out.begin_message();
  if (!rec.accepted) {
    ServerMessage fail;
    fail.number = 18456;
    fail.severity = 14;
    fail.text = "Login failed for user '" + rec.user + "'.";
    failure_messages.push_back(fail);
    for (const auto& msg : failure_messages) put_message(out, msg, options.server_name, version);
    put_done(out, kDoneError, 0, version);
    end_message();
    return false;
  }

  database = rec.database.empty() ? options.default_database : rec.database;
  packet_size = options.packet_size ? options.packet_size
                                    : (rec.packet_size ? rec.packet_size : kDefaultPacket);
  packet_size = std::clamp<uint32_t>(packet_size, 512, 32767);

  put_envchange_text(out, 1, database, "master");
  ServerMessage ctx;
  ctx.number = 5701;
  ctx.state = 2;
  ctx.text = "Changed database context to '" + database + "'.";
  put_message(out, ctx, options.server_name, version);
  {
    std::string b;
    body_u8(b, 7);
    body_u8(b, 5);
    b.append("\x09\x04\xD0\x00\x34", 5);
    body_u8(b, 0);
    put_token_with_length(out, kTokenEnvChange, b);
  }
  put_envchange_text(out, 2, options.language, "");
  ServerMessage lang;
  lang.number = 5703;
  lang.state = 1;
  lang.text = "Changed language setting to " + options.language + ".";
  put_message(out, lang, options.server_name, version);
  {
    std::string b;
    body_u8(b, 1);  // T-SQL
    b += char(version >> 24);
    b += char((version >> 16) & 0xFF);
    b += char((version >> 8) & 0xFF);
    b += char(version & 0xFF);
    body_bvarchar(b, "Microsoft SQL Server");
    b.append("\x10\x00\x03\xE8", 4);  // 16.0.1000
    put_token_with_length(out, kTokenLoginAck, b);
  }
  if (wants_features && version >= kTds74) {
    out.u8(kTokenFeatureExtAck);
    out.u8(0xFF);
  }
  put_envchange_text(out, 4, std::to_string(packet_size),
                     std::to_string(rec.packet_size ? rec.packet_size : kDefaultPacket));
  put_done(out, kDoneFinal, 0, version);
  if (!end_message()) return false;
  apply_packet_size();
  logged_in = true;
  return true;
}

Connection::Outcome Connection::send_unscripted(const std::string& text) {
  ServerMessage m;
  m.number = 50000;
  m.severity = 16;
  // Long batches are cut so the message stays readable in a log.
  constexpr size_t kShown = 4000;
  std::string shown = text;
  if (shown.size() > kShown) {
    const char* end = g_utf8_find_prev_char(shown.c_str(), shown.c_str() + kShown);
    shown.resize(size_t(end - shown.c_str()));
    shown += "...";
  }
  m.text = "tarvex-tds-server: no scripted reply for batch: " + shown;
  out.begin_message();
  put_message(out, m, options.server_name, version);
  put_done(out, kDoneError, 0, version);
  return end_message() ? Outcome::Sent : Outcome::Closed;
}

Connection::Outcome Connection::handle_batch(const Message& m) {
  const auto& p = m.payload;
  size_t at = 0;
  if (version >= kTds72 && p.size() >= 4) {
    uint32_t total = get_u32(p, 0);
    if (total >= 4 && total <= p.size()) at = total;
  }
  std::string text = utf16le_to_utf8(p.data() + at, (p.size() - at) & ~size_t(1));

  std::vector<detail::Item> plan;
  bool scripted = false;
  std::function<void(const ReceivedBatch&)> observer;
  {
    std::lock_guard<std::mutex> lock(state->mutex);
    for (auto it = state->rules.rbegin(); it != state->rules.rend(); ++it) {
      if ((*it)->matches(text) && (*it)->take()) {
        plan = (*it)->plan();
        scripted = true;
        break;
      }
    }
    state->batches.push_back({id, text, scripted});
    observer = state->observer;
  }
  if (observer) observer(ReceivedBatch{id, text, scripted});
  if (!scripted) return send_unscripted(text);
  return run_plan(plan);
}

Connection::Outcome Connection::run_plan(const std::vector<detail::Item>& plan) {
  using detail::Item;
  out.begin_message();
  const std::vector<ColumnSpec>* columns = nullptr;
  uint64_t rows = 0;
  bool error_in_statement = false;
  auto done_status = [&](bool more) {
    uint16_t s = more ? kDoneMore : kDoneFinal;
    if (error_in_statement) s |= kDoneError;
    error_in_statement = false;
    return s;
  };
  for (const Item& it : plan) {
    switch (it.kind) {
      case Item::ResultStart:
        columns = &it.columns;
        rows = 0;
        write_colmetadata(out, *columns, version);
        break;
      case Item::Row:
        out.u8(kTokenRow);
        for (size_t k = 0; k < columns->size(); k++)
          write_cell(out, (*columns)[k], it.cells[k], version);
        rows++;
        break;
      case Item::ResultEnd: {
        uint16_t s = done_status(it.more);
        if (it.with_count) s |= kDoneCount;
        put_done(out, s, it.with_count ? rows : 0, version, 0xC1);
        columns = nullptr;
        break;
      }
      case Item::RowCount:
        put_done(out, uint16_t(done_status(it.more) | kDoneCount), it.count, version);
        break;
      case Item::Done:
        put_done(out, done_status(it.more), 0, version);
        break;
      case Item::Message:
        put_message(out, it.message, options.server_name, version);
        if (it.message.severity > 10) error_in_statement = true;
        break;
      case Item::UseDatabase:
        put_envchange_text(out, 1, it.name, database);
        {
          ServerMessage ctx;
          ctx.number = 5701;
          ctx.state = 1;
          ctx.text = "Changed database context to '" + it.name + "'.";
          put_message(out, ctx, options.server_name, version);
        }
        database = it.name;
        break;
      case Item::Delay: {
        out.close_partial();
        if (!send_ready()) return Outcome::Closed;
        auto until = std::chrono::steady_clock::now() + it.delay;
        for (;;) {
          auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
              until - std::chrono::steady_clock::now());
          if (left.count() <= 0) break;
          Outcome o = poll_input(int(left.count()));
          if (o == Outcome::Attention) return acknowledge_attention();
          if (o == Outcome::Closed) return o;
        }
        break;
      }
      case Item::Drop:
        out.close_partial();
        send_ready();
        return Outcome::Closed;
      case Item::Generate: {
        write_colmetadata(out, it.columns, version);
        std::vector<Value> cells(it.columns.size());
        for (uint64_t r = 0; r < it.count; r++) {
          out.u8(kTokenRow);
          for (size_t c = 0; c < it.columns.size(); c++) {
            generate_value(it.columns[c], r, c, cells[c]);
            write_cell(out, it.columns[c], cells[c], version);
          }
          Outcome o = maybe_flush();
          if (o == Outcome::Attention) return acknowledge_attention();
          if (o == Outcome::Closed) return o;
        }
        put_done(out, uint16_t(done_status(it.more) | kDoneCount), it.count, version, 0xC1);
        break;
      }
      case Item::Reset: {
        out.close_partial();
        send_ready();
        // A zero linger time makes close() send RST instead of FIN.
        struct linger hard {
          1, 0
        };
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        close(fd);
        fd = -1;
        return Outcome::Closed;
      }
      case Item::DoneError:
        error_in_statement = false;
        put_done(out, uint16_t((it.more ? kDoneMore : kDoneFinal) | kDoneError), 0, version);
        break;
      case Item::Raw:
        out.bytes(it.name);
        break;
      case Item::BadPacket: {
        out.close_partial();
        if (!send_ready()) return Outcome::Closed;
        // Type reply, end of message, length 4: shorter than its own header.
        const uint8_t header[8] = {kPacketReply, 0x01, 0x00, 0x04, 0x00, 0x00, 0x01, 0x00};
        send(fd, header, sizeof header, MSG_NOSIGNAL);
        return Outcome::Closed;
      }
    }
    Outcome o = maybe_flush();
    if (o == Outcome::Attention) return acknowledge_attention();
    if (o == Outcome::Closed) return o;
  }
  return end_message() ? Outcome::Sent : Outcome::Closed;
}

void Connection::run() {
  Message m;
  while (read_message(m)) {
    switch (m.type) {
      case kPacketPrelogin:
        if (logged_in || !handle_prelogin(m)) return;
        break;
      case kPacketLogin7:
        if (logged_in || !handle_login(m)) return;
        break;
      case kPacketSqlBatch:
        if (!logged_in || handle_batch(m) == Outcome::Closed) return;
        break;
      case kPacketAttention:
        // Nothing is running: the reply already ended, acknowledge anyway.
        out.begin_message();
        if (acknowledge_attention() == Outcome::Closed) return;
        break;
      case kPacketRpc: {
        if (!logged_in) return;
        ServerMessage e;
        e.number = 50000;
        e.severity = 16;
        e.text = "tarvex-tds-server: RPC requests are not supported";
        out.begin_message();
        put_message(out, e, options.server_name, version);
        put_done(out, kDoneError, 0, version);
        if (!end_message()) return;
        break;
      }
      default:
        return;
    }
  }
}

// ------------------------------------------------------------------ Server

void Server::State::accept_loop() {
  int next_id = 0;
  for (;;) {
    if (wait_fd(listen_fd, POLLIN, stop_fd, -1) <= 0) return;
    int fd = accept4(listen_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == ECONNABORTED) continue;
      return;
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ServerOptions opts;
    {
      std::lock_guard<std::mutex> lock(mutex);
      opts = options;
      connections++;
    }
    reap(false);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    auto conn = std::make_shared<Connection>(this, fd, next_id++, opts);
    std::lock_guard<std::mutex> lock(threads_mutex);
    workers.push_back({std::thread([conn, finished] {
                         conn->run();
                         finished->store(true);
                       }),
                       finished});
  }
}

void Server::State::reap(bool all) {
  std::list<Worker> done;
  {
    std::lock_guard<std::mutex> lock(threads_mutex);
    for (auto it = workers.begin(); it != workers.end();) {
      if (all || it->finished->load()) {
        auto next = std::next(it);
        done.splice(done.end(), workers, it);
        it = next;
      } else {
        ++it;
      }
    }
  }
  for (auto& w : done) w.thread.join();
}

Server::Server() : Server(ServerOptions()) {}

Server::Server(ServerOptions options) : state_(std::make_shared<State>()) {
  state_->options = std::move(options);
}

Server::~Server() {
  stop();
}

void Server::start(uint16_t port, const std::string& host) {
  if (state_->running) throw std::logic_error("the server is already running");
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error(std::string("socket: ") + g_strerror(errno));
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  if (inet_pton(AF_INET, host.c_str(), &addr.sin_addr) != 1) {
    close(fd);
    throw std::runtime_error("not an IPv4 address: " + host);
  }
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) < 0 || listen(fd, 64) < 0) {
    std::string why = g_strerror(errno);
    close(fd);
    throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port) + ": " + why);
  }
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  state_->listen_fd = fd;
  state_->stop_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  state_->port = ntohs(addr.sin_port);
  state_->host = host;
  state_->running = true;
  State* s = state_.get();
  state_->acceptor = std::thread([s] { s->accept_loop(); });
}

void Server::stop() {
  if (!state_->running) return;
  uint64_t one = 1;
  ssize_t ignored = write(state_->stop_fd, &one, sizeof one);
  (void)ignored;
  state_->acceptor.join();
  state_->reap(true);
  close(state_->listen_fd);
  close(state_->stop_fd);
  state_->listen_fd = state_->stop_fd = -1;
  state_->running = false;
}

bool Server::running() const {
  return state_->running;
}

uint16_t Server::port() const {
  return state_->port;
}

std::string Server::address() const {
  return state_->host + ":" + std::to_string(state_->port);
}

void Server::set_options(const ServerOptions& options) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->options = options;
}

ServerOptions Server::options() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->options;
}

void Server::set_max_tds_version(uint32_t version) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->options.max_tds_version = version;
}

void Server::set_split_packets(size_t bytes) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->options.split_packets = bytes;
}

void Server::add_login(std::string user, std::string password) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->accounts.emplace_back(std::move(user), std::move(password));
}

void Server::add_database(std::string name) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->databases.push_back(std::move(name));
}

void Server::set_login_failure(bool fail) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->login_failure = fail;
}

Rule& Server::on_batch(std::string exact_text) {
  auto rule = std::make_shared<Rule>(Rule::Match::Exact, std::move(exact_text));
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->rules.push_back(rule);
  return *rule;
}

Rule& Server::on_pattern(std::string regex) {
  auto rule = std::make_shared<Rule>(Rule::Match::Pattern, std::move(regex));
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->rules.push_back(rule);
  return *rule;
}

void Server::clear_rules() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->rules.clear();
}

std::vector<ReceivedBatch> Server::batches() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->batches;
}

std::vector<std::string> Server::batch_texts() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  std::vector<std::string> out;
  for (const auto& b : state_->batches) out.push_back(b.text);
  return out;
}

std::vector<LoginRecord> Server::logins() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->logins;
}

size_t Server::attention_count() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->attentions;
}

size_t Server::connection_count() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->connections;
}

void use_private_freetds_conf() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (g_getenv("FREETDSCONF")) return;
    static std::string folder, path;
    char* dir = g_dir_make_tmp("tarvex-freetds-XXXXXX", nullptr);
    if (!dir) return;
    folder = dir;
    path = folder + "/freetds.conf";
    g_free(dir);
    const char conf[] = "[global]\n\tclient charset = UTF-8\n";
    if (!g_file_set_contents(path.c_str(), conf, -1, nullptr)) return;
    g_setenv("FREETDSCONF", path.c_str(), TRUE);
    std::atexit([] {
      g_unlink(path.c_str());
      g_rmdir(folder.c_str());
    });
  });
}

void Server::set_batch_observer(std::function<void(const ReceivedBatch&)> observer) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->observer = std::move(observer);
}

void Server::clear_history() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->batches.clear();
  state_->logins.clear();
  state_->attentions = 0;
}

}  // namespace tarvex::test::tds
