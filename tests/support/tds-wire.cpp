#include "tests/support/tds-wire.h"

#include <glib.h>

#include "tests/support/tds-types.h"

namespace tarvex::test::tds {

namespace {
constexpr size_t kHeader = 8;
constexpr size_t kMinPacket = kHeader + 1;
}  // namespace

PacketWriter::PacketWriter(uint8_t type, uint16_t spid, size_t max_packet)
    : max_packet_(max_packet < kMinPacket ? kMinPacket : max_packet), type_(type), spid_(spid) {
  buf_.resize(64 * 1024);
  open_packet();
}

void PacketWriter::set_max_packet(size_t max_packet) {
  max_packet_ = max_packet < kMinPacket ? kMinPacket : max_packet;
}

void PacketWriter::begin_message() {
  packet_id_ = 1;
}

void PacketWriter::open_packet() {
  packet_start_ = used_;
  reserve(kHeader);
  used_ += kHeader;
}

void PacketWriter::close_packet(bool last) {
  uint8_t* h = buf_.data() + packet_start_;
  size_t len = used_ - packet_start_;
  h[0] = type_;
  h[1] = last ? 0x01 : 0x00;
  h[2] = uint8_t(len >> 8);
  h[3] = uint8_t(len);
  h[4] = uint8_t(spid_ >> 8);
  h[5] = uint8_t(spid_);
  h[6] = packet_id_++;
  h[7] = 0;
  packet_start_ = used_;
}

void PacketWriter::end_message() {
  close_packet(true);
  open_packet();
  packet_id_ = 1;
}

void PacketWriter::close_partial() {
  if (used_ - packet_start_ > kHeader) {
    close_packet(false);
    open_packet();
  }
}

void PacketWriter::consume(size_t n) {
  if (n == 0) return;
  std::memmove(buf_.data(), buf_.data() + n, used_ - n);
  used_ -= n;
  packet_start_ -= n;
}

void PacketWriter::discard() {
  used_ = 0;
  open_packet();
}

void PacketWriter::b_varchar(std::string_view utf8) {
  std::string w;
  append_utf16le(w, utf8);
  size_t chars = w.size() / 2;
  if (chars > 255) chars = 255;
  u8(uint8_t(chars));
  put(w.data(), chars * 2);
}

void PacketWriter::us_varchar(std::string_view utf8) {
  std::string w;
  append_utf16le(w, utf8);
  size_t chars = w.size() / 2;
  if (chars > 65535) chars = 65535;
  u16(uint16_t(chars));
  put(w.data(), chars * 2);
}

uint16_t get_u16(const std::vector<uint8_t>& p, size_t at) {
  if (at + 2 > p.size()) return 0;
  return uint16_t(p[at] | (p[at + 1] << 8));
}

uint32_t get_u32(const std::vector<uint8_t>& p, size_t at) {
  if (at + 4 > p.size()) return 0;
  return uint32_t(p[at]) | (uint32_t(p[at + 1]) << 8) | (uint32_t(p[at + 2]) << 16) |
         (uint32_t(p[at + 3]) << 24);
}

std::string utf16le_to_utf8(const uint8_t* data, size_t bytes) {
  std::string out;
  out.reserve(bytes / 2);
  size_t n = bytes / 2;
  for (size_t k = 0; k < n; k++) {
    uint32_t c = data[2 * k] | (data[2 * k + 1] << 8);
    if (c >= 0xD800 && c < 0xDC00 && k + 1 < n) {
      uint32_t c2 = data[2 * k + 2] | (data[2 * k + 3] << 8);
      if (c2 >= 0xDC00 && c2 < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (c2 - 0xDC00);
        k++;
      } else {
        c = 0xFFFD;
      }
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    char tmp[8];
    int len = g_unichar_to_utf8(c, tmp);
    out.append(tmp, size_t(len));
  }
  return out;
}

std::string get_utf16(const std::vector<uint8_t>& p, size_t at, size_t chars) {
  if (at > p.size()) return {};
  size_t bytes = chars * 2;
  if (at + bytes > p.size()) bytes = (p.size() - at) & ~size_t(1);
  return utf16le_to_utf8(p.data() + at, bytes);
}

}  // namespace tarvex::test::tds
