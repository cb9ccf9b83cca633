#pragma once

#include <string>
#include <vector>

// One ordered record shared by the fake delegate, the recording surface and the test controls, so
// a test can check the order of calls across all three.
struct EventLog
{
  std::vector<std::string> events;

  void Add(std::string event) { events.push_back(std::move(event)); }
  void Clear() { events.clear(); }
};
