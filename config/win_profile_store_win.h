#pragma once
// The profile store on the Windows profile functions themselves.

#include <optional>
#include <string>

#include "config/profile_store.h"

namespace trv::win {

class WinProfileStore : public ProfileStore {
  public:
    explicit WinProfileStore(std::u16string path) : path_(std::move(path)) {}
    ~WinProfileStore() override;
    WinProfileStore(const WinProfileStore&) = delete;
    WinProfileStore& operator=(const WinProfileStore&) = delete;

    std::u16string read(std::u16string_view section, std::u16string_view key) const override;
    // A missing file is first created holding only the UTF-16 byte-order
    // mark: the profile functions then keep it UTF-16, and labels in every
    // interface language survive whatever the system's ANSI code page is.
    bool write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

    // A batch writes, still through the profile functions, into a copy of
    // the file beside it (a new name from GetTempFileNameW, so that two
    // programs saving at once never share it), which then replaces the file
    // in one move. A batch any of whose steps or writes failed leaves the
    // file as it was and deletes the copy.
    void beginBatch() override;
    bool commitBatch() override;

  private:
    struct Batch {
        std::wstring copy;  // empty when no copy could be made
        bool failed = false;
    };

    std::wstring target() const;      // where writes go
    std::wstring readTarget() const;  // a failed batch's copy is not read
    void dropBatch();

    std::u16string path_;
    std::optional<Batch> batch_;
};

}  // namespace trv::win
