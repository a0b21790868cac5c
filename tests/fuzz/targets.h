// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The program's own readers of files that may come from anywhere, each fed
// arbitrary bytes. A target returns 0; a reader that breaks one of its
// promises aborts, as a crash would.
namespace fuzz {

using Target = int (*)(const std::uint8_t *data, std::size_t size);

int midi(const std::uint8_t *data, std::size_t size);
int currentList(const std::uint8_t *data, std::size_t size);
int sessionLog(const std::uint8_t *data, std::size_t size);
int mountTable(const std::uint8_t *data, std::size_t size);
// A song file whose title "Titles from Tags" reads through TagLib; the first
// byte picks the kind of file (its name's ending), the rest is the file.
int tagTitle(const std::uint8_t *data, std::size_t size);

// The target of that name (the folder name of its corpus), or null.
Target byName(const QString &name);

} // namespace fuzz
