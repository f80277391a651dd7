// What the core's tests take for granted of the port, held alike against the
// in-memory fake and, under Wine, against the real port on real folders: so
// that the fake cannot drift from the system it stands in for. One tree laid
// out the same way on both, and one table of questions with the system's
// answers.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Platform.h"

namespace sorvel::test {

// One folder or file of the contract's tree, below its root.
struct ContractEntry {
  const char* path;          // "A\\B", CP932
  std::uint32_t attributes;  // attr::kDirectory for a folder
  std::uint64_t time;        // a file's last write time (UTC file time)
  const char* contents;      // a file's bytes
};

// The tree, in the order it is made: an order the system does not list in.
std::span<const ContractEntry> ContractTree();

// Asks `platform` each question of the contract about the tree laid out
// below `root` (no trailing backslash), on a drive Q: that is a CD-ROM, and
// expects the system's answer. Moves the current directory.
void ExpectPlatformContract(Platform& platform, const std::string& root);

}  // namespace sorvel::test
