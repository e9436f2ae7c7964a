// A private-profile (INI) file built up by a series of writes, the way the Windows
// private-profile writer builds one; Linux has no such writer, and QSettings' INI format
// percent-encodes keys and quotes values, which would change what the file says.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rpanel {

class PrivateProfile {
public:
    // Sets key in section to value. Section and key names lose their leading and trailing
    // blanks and are matched without regard to the case of ASCII letters; the first spelling
    // stays. A new section goes to the end of the file and a new key to the end of its
    // section; a key that is already there gets the new value in its place. The value is
    // written as it is: one that ends in CR LF leaves an empty line after its entry.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    // The file: for each section the line "[" name "]", then a line key "=" value for each
    // of its keys; lines end in CR LF, text is 8-bit as given.
    std::string Bytes() const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    std::vector<Section> sections_;
};

}  // namespace rpanel
