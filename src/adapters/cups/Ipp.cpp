#include "adapters/cups/Ipp.h"

#include <algorithm>
#include <cstdint>

namespace pw::ipp {
namespace {

// An answer that waits longer than the timeout gives up instead of waiting again.
int giveUp(http_t*, void*) {
  return 0;
}

}  // namespace

Connection connect(int timeoutMs) {
  Connection connection(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(),
                                     1, timeoutMs, nullptr));
  if (connection)
    httpSetTimeout(connection.get(), timeoutMs / 1000.0, giveUp, nullptr);
  return connection;
}

Message printerRequest(ipp_op_t operation, const std::string& printer) {
  Message request(ippNewRequest(operation));
  char uri[HTTP_MAX_URI];
  if (printer.empty())
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                    "/");
  else
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", printer.c_str());
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

Message jobRequest(ipp_op_t operation, std::uint32_t id) {
  Message request(ippNewRequest(operation));
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/jobs/%u", id);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

void askFor(ipp_t* request, const char* const* names, std::size_t count) {
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(count), nullptr, names);
}

Message send(http_t* connection, Message request) {
  // The library frees the request whatever happens.
  return Message(cupsDoRequest(connection, request.release(), "/"));
}

bool succeeded(ipp_t* answer) {
  return ippGetStatusCode(answer) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

std::vector<std::string> strings(ipp_t* answer, const char* name, ipp_tag_t tag) {
  std::vector<std::string> values;
  for (ipp_attribute_t* attr = ippFindAttribute(answer, name, tag); attr;
       attr = ippFindNextAttribute(answer, name, tag))
    for (int i = 0; i < ippGetCount(attr); ++i) {
      const char* text = ippGetString(attr, i, nullptr);
      values.emplace_back(text ? text : "");
    }
  return values;
}

std::vector<int> integers(ipp_t* answer, const char* name) {
  std::vector<int> values;
  for (ipp_attribute_t* attr = ippFindAttribute(answer, name, IPP_TAG_INTEGER); attr;
       attr = ippFindNextAttribute(answer, name, IPP_TAG_INTEGER))
    for (int i = 0; i < ippGetCount(attr); ++i)
      values.push_back(ippGetInteger(attr, i));
  return values;
}

}  // namespace pw::ipp
