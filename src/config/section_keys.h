// Keys of one section set in the text of a settings file, changed in place.
#pragma once

#include <string>
#include <vector>

struct SettingKey {
    const char *name;
    std::string value;
};

// The text with the keys of the section set, every other byte as it was: a key's value is
// replaced where the key stands (its first occurrence in the first section of that name,
// names in any case), a comment after it (" ; ...", or ";..." right after "=", then parted
// from the value by a space) kept; a key line without "=" takes "=" and the value; a missing
// key is added after the last line of that section that is not blank, ending as that line
// does, and a missing section at the end of the text, with the text's own line ending (the
// first line's; CR LF for a text that has none), as is a key after a last line without one.
// Lines end in CR LF, LF or CR alone; a byte-order mark at the start is kept, a section's name
// ends at its line's last "]", and a line "[]" ends a section too.
std::string WithSectionKeys(const std::string &text, const char *section,
                            const std::vector<SettingKey> &keys);
