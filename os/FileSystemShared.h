// What both halves of the file system layer share: the faults that tests inject and
// the temporary files that an interrupt must remove. Not part of the layer's door.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrik::os::shared {

// Whether a read after |read| bytes, or a write of |size| more bytes after |written|,
// must fail as the tests asked.
bool ReadFaultDue(std::uint64_t read);
bool WriteFaultDue(std::uint64_t written, std::size_t size);

inline constexpr int kPendingSlots = 16;
// The temporary file in |slot| while a guard holds it, else null. Safe in an interrupt
// handler: it neither allocates nor locks.
const char* ArmedTemporary(int slot);

} // namespace tavrik::os::shared
