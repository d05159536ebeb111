// Sentences with slots: each language writes a whole sentence, in its own order, and marks where
// the values go, so that no sentence is glued together from pieces.
#pragma once

#include <initializer_list>
#include <string>

// The sentence with {1} to {9} replaced by the slots given, in their order; a slot that has no
// value given is left out, and every other character stays as it is.
std::wstring Compose(const wchar_t *sentence, std::initializer_list<std::wstring> slots = {});
