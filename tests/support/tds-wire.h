// Packet framing and token helpers of the scripted TDS test server.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::test::tds {

enum PacketType : uint8_t {
  kPacketSqlBatch = 0x01,
  kPacketRpc = 0x03,
  kPacketReply = 0x04,
  kPacketAttention = 0x06,
  kPacketLogin7 = 0x10,
  kPacketPrelogin = 0x12,
};

enum Token : uint8_t {
  kTokenColMetadata = 0x81,
  kTokenError = 0xAA,
  kTokenInfo = 0xAB,
  kTokenLoginAck = 0xAD,
  kTokenFeatureExtAck = 0xAE,
  kTokenRow = 0xD1,
  kTokenEnvChange = 0xE3,
  kTokenDone = 0xFD,
};

enum DoneStatus : uint16_t {
  kDoneFinal = 0x00,
  kDoneMore = 0x01,
  kDoneError = 0x02,
  kDoneCount = 0x10,
  kDoneAttention = 0x20,
};

// Builds a reply as a run of packets of at most `max_packet` bytes each
// (header included). Complete packets are taken out with take_packets().
class PacketWriter {
 public:
  PacketWriter(uint8_t type, uint16_t spid, size_t max_packet);

  void set_max_packet(size_t max_packet);
  void begin_message();

  void put(const void* data, size_t n) {
    auto* p = static_cast<const uint8_t*>(data);
    while (n > 0) {
      size_t room = packet_start_ + max_packet_ - used_;
      if (room == 0) {
        close_packet(false);
        open_packet();
        continue;
      }
      size_t k = n < room ? n : room;
      reserve(k);
      std::memcpy(buf_.data() + used_, p, k);
      used_ += k;
      p += k;
      n -= k;
    }
  }
  void u8(uint8_t v) { put(&v, 1); }
  void u16(uint16_t v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    put(b, 2);
  }
  void u32(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    put(b, 4);
  }
  void u64(uint64_t v) {
    u32(uint32_t(v));
    u32(uint32_t(v >> 32));
  }
  void u32be(uint32_t v) {
    uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    put(b, 4);
  }
  void bytes(std::string_view s) { put(s.data(), s.size()); }
  // B_VARCHAR / US_VARCHAR: UTF-16LE text with its length in characters.
  void b_varchar(std::string_view utf8);
  void us_varchar(std::string_view utf8);

  // Ends the message: the last packet gets the end-of-message status.
  void end_message();
  // Closes the current packet (when it holds data) without ending the message,
  // so that everything written so far can be sent.
  void close_partial();
  // Bytes of complete packets ready to send.
  size_t ready() const { return packet_start_; }
  const uint8_t* data() const { return buf_.data(); }
  // Forgets the first `n` ready bytes (after they were sent).
  void consume(size_t n);
  // Drops everything not yet sent, the open packet included.
  void discard();

 private:
  void reserve(size_t k) {
    if (used_ + k > buf_.size()) buf_.resize((used_ + k) * 2);
  }
  void open_packet();
  void close_packet(bool last);

  std::vector<uint8_t> buf_;
  size_t used_ = 0;
  size_t packet_start_ = 0;
  size_t max_packet_;
  uint8_t type_;
  uint16_t spid_;
  uint8_t packet_id_ = 1;
};

// A received message: the payloads of its packets joined.
struct Message {
  uint8_t type = 0;
  std::vector<uint8_t> payload;
};

// Little-endian readers over a payload; out-of-range reads give 0.
uint16_t get_u16(const std::vector<uint8_t>& p, size_t at);
uint32_t get_u32(const std::vector<uint8_t>& p, size_t at);
// UTF-16LE characters at `at` converted to UTF-8 (invalid units replaced).
std::string get_utf16(const std::vector<uint8_t>& p, size_t at, size_t chars);
std::string utf16le_to_utf8(const uint8_t* data, size_t bytes);

}  // namespace tarvex::test::tds
