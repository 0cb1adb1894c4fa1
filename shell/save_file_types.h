// The rules of the Save dialog's file types that need no window: which type a name says, the name
// once the user picks a type, and the name the dialog proposes.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace talvorne {

// The types' extensions, lower case and without their dots, in the order of the dialog's list.
using FileExtensions = std::span<const std::wstring_view>;

// The position of the type whose extension ends the name, in any case; none when no listed one
// does.
std::optional<std::size_t> TypeNamedBy(std::wstring_view name, FileExtensions extensions);

// The name in the dialog's box once the user has picked the type at that position: one that ends
// in another listed type's extension takes the picked one's, as the name proposed for text does
// when CSV is picked; any other name stays as it was typed.
std::wstring NameForPickedType(std::wstring_view name, FileExtensions extensions,
                               std::size_t picked);

struct LocalTime {
  int year, month, day, hour, minute, second;
};

// The name proposed for a file saved at that time: "Talvorne 2024-03-05 14-07-09.txt" for the
// stem "Talvorne" and the extension "txt".
std::string ProposedFileName(std::string_view stem, const LocalTime& time,
                             std::string_view extension);

}  // namespace talvorne
