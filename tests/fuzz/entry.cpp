// SPDX-License-Identifier: GPL-3.0-or-later
// One fuzz target for libFuzzer: QUENMORA_FUZZ_TARGET names the function of targets.h.
#include "targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return fuzz::QUENMORA_FUZZ_TARGET(data, size);
}
