#pragma once

#include "kaocg/transfer_mode.h"
#include "platform/file_system.h"

namespace kaocg_func {

// One pass over an archive file, in one direction. The file is borrowed: the operation that
// creates the archive object opens the file before and closes it after.
class CKaoCGArchive {
public:
    CKaoCGArchive(platform::File* file, TransferMode mode) : file_(file), mode_(mode) {}
    virtual ~CKaoCGArchive() = default;
    CKaoCGArchive(const CKaoCGArchive&) = delete;
    CKaoCGArchive& operator=(const CKaoCGArchive&) = delete;

    virtual bool SerializeHeader() = 0;
    virtual bool SerializeBody() = 0;

protected:
    platform::File* File() const { return file_; }
    TransferMode Mode() const { return mode_; }
    bool IsLoading() const { return mode_ == TransferMode::Load; }
    // A file is attached and the mode is one of the two directions.
    bool CanTransfer() const {
        return file_ != nullptr && (mode_ == TransferMode::Load || mode_ == TransferMode::Save);
    }

private:
    platform::File* file_;
    TransferMode mode_;
};

}  // namespace kaocg_func
