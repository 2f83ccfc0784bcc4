// A backup file may hold anything: a decode that finds no problem gives a
// backup that encodes and decodes to itself, and its labels go into a str.ini
// text without harm.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/block_backup.h"
#include "config/text_profile_store.h"
#include "settings/labels_backup.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const trv::DecodedBackup decoded = trv::decodeBackup({data, size});
    if (decoded.problem != trv::BackupProblem::None) {
        check(!decoded.backup.files);
        return 0;
    }
    const trv::BlockBackup& b = decoded.backup;
    const std::vector<std::uint8_t> again = trv::encodeBackup(b);
    const trv::DecodedBackup redecoded = trv::decodeBackup(again);
    check(redecoded.problem == trv::BackupProblem::None);
    check(redecoded.backup.block == b.block && redecoded.backup.date == b.date);
    check(redecoded.backup.files.has_value() == b.files.has_value());
    if (b.files) {
        check(redecoded.backup.files->configBin == b.files->configBin);
        check(redecoded.backup.files->labels == b.files->labels);
        std::u16string strIni = u"[Skins]\r\nLan=BUL\r\n";
        trv::TextProfileStore store(strIni);
        trv::restoreLabels(store, b.files->labels);
        check(store.read(u"Skins", u"Lan") == u"BUL");
    }
    return 0;
}
