#pragma once
// What every conversation with the CUPS server shares: owners for the library's connection and
// message objects, a connection that gives up soon, and the walks over an answer's attributes.

#include <cups/cups.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pw::ipp {

struct IppDelete {
  void operator()(ipp_t* message) const { ippDelete(message); }
};
struct HttpClose {
  void operator()(http_t* connection) const { httpClose(connection); }
};
using Message = std::unique_ptr<ipp_t, IppDelete>;
using Connection = std::unique_ptr<http_t, HttpClose>;

// A connection to the server of the client's configuration (CUPS_SERVER, client.conf) that
// gives up, when connecting and when waiting for an answer, after timeoutMs.
Connection connect(int timeoutMs);

// A request addressed to the printer's queue (to the server when printer is empty), in the name
// of the user who runs the program.
Message printerRequest(ipp_op_t operation, const std::string& printer);
// A request addressed to one job by its id.
Message jobRequest(ipp_op_t operation, std::uint32_t id);
// Asks for these attributes only.
void askFor(ipp_t* request, const char* const* names, std::size_t count);
template <std::size_t N>
void askFor(ipp_t* request, const char* const (&names)[N]) {
  askFor(request, names, N);
}

// Sends the request and returns the answer, or nothing when none came.
Message send(http_t* connection, Message request);
// Whether the answer reports success (the successful statuses come first).
bool succeeded(ipp_t* answer);

// Every value of every attribute of that name, in the answer's order; a missing text reads as
// empty. IPP_TAG_ZERO takes any value tag.
std::vector<std::string> strings(ipp_t* answer, const char* name, ipp_tag_t tag = IPP_TAG_ZERO);
std::vector<int> integers(ipp_t* answer, const char* name);

}  // namespace pw::ipp
