#include "service/StatusText.h"

#include <cstdio>

namespace {

struct StStatusWords {
  Status status;
  const char* words;
};

constexpr StStatusWords kWords[] = {
    {kStatusOk, "done"},
    {kStatusOutOfMemory, "out of memory"},
    {kStatusNullPointer, "a packet, key or buffer is missing"},
    {kStatusDataTooLong, "the value is larger than the buffer"},
    {kStatusNotFound, "no such value"},
    {kStatusMalformedPacket, "malformed request"},
    {kStatusWrongSize, "wrong size for this value"},
    {kStatusReadOnly, "the value cannot be changed"},
    {kStatusNotSaved, "changed but not stored"},
    {kStatusServiceBusy, "the tablet service is busy"},
    {kStatusNoReply, "no answer from the tablet service"},
    {kStatusNotSupported, "not supported here"},
    {kStatusNoDriverInterface, "no tablet service"},
};

}  // namespace

std::string DescribeStatus(Status status) {
  const char* words = "failed";
  for (const StStatusWords& row : kWords)
    if (row.status == status) words = row.words;
  char code[16];
  std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(status));
  return std::string(words) + " (" + code + ")";
}
