// The profile file reader on hostile files, as the account file "status.ini" from the
// cube server and the settings files meet it: every section and key it lists can be read,
// and writing one value (as the account check marks the server busy) changes that value
// alone and keeps every other entry as it read.
#include <map>
#include <utility>

#include "designer/rtnCubeServer/AccountFile.h"
#include "platform/IniFile.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace vantorell;

namespace {

using Entries = std::map<std::pair<std::string, std::string>, std::string>;

// What the file gives for every section and key it lists, names in lower case (they compare
// without regard to case).
Entries entriesOf(const IniFile& ini) {
    const auto lower = [](std::string s) {
        for (char& c : s) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return s;
    };
    Entries entries;
    for (const std::string& section : ini.readSections()) {
        fuzz::require(ini.sectionExists(section), "a listed section exists: " + section);
        for (const std::string& key : ini.readSection(section)) {
            fuzz::require(ini.valueExists(section, key), "a listed key exists: " + key);
            entries.emplace(std::make_pair(lower(section), lower(key)),
                            ini.readString(section, key, "(missing)"));
        }
        ini.readSectionValues(section);
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::inputFolder();
    const std::string file = fuzz::writeFile(folder + kAccountFileName, fuzz::text(data, size));

    IniFile ini(file);
    Entries before = entriesOf(ini);
    for (const auto& [name, value] : before) {
        int number = 0;
        ini.readInteger(name.first, name.second, 0);
        ini.readBool(name.first, name.second, false);
        parseProfileInteger(value, number);
    }
    accountFileRead(file);

    nulAccountFileMarkBusy(file);
    const IniFile after(file);
    fuzz::require(after.readString("Server", "ServerStatus", "") == "busy",
                  "the value written reads back");
    before[{"server", "serverstatus"}] = "busy";
    fuzz::require(entriesOf(after) == before, "writing one value keeps every other entry");
    return 0;
}
