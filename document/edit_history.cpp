#include "document/edit_history.h"

#include "kaocg/image_archive_layout.h"

namespace document {
namespace {

constexpr std::array<int, 3> kEditKinds{kaocg_func::kKindEditLarge, kaocg_func::kKindEditMedium,
                                        kaocg_func::kKindEditSmall};

bool SetFaces(EditTarget& target, std::span<const FaceChangeStep::Change> changes, bool after) {
    if (target.generals == nullptr) {
        return false;
    }
    for (const FaceChangeStep::Change& change : changes) {
        if (roster::bushou* general = target.generals->at(change.position)) {
            general->SetCurrentFace(after ? change.after : change.before);
        }
    }
    return true;
}

}  // namespace

std::size_t FaceChangeStep::Bytes() const {
    return sizeof(*this) + m_changes.size() * sizeof(Change);
}

bool FaceChangeStep::Undo(EditTarget& target) const {
    return SetFaces(target, m_changes, false);
}

bool FaceChangeStep::Redo(EditTarget& target) const {
    return SetFaces(target, m_changes, true);
}

std::size_t RegistrationStep::Bytes() const {
    std::size_t bytes = sizeof(*this);
    for (std::size_t i = 0; i < kEditKinds.size(); ++i) {
        bytes += m_before[i].Size() + m_after[i].Size();
    }
    return bytes;
}

std::optional<RegistrationStep::Archives> RegistrationStep::Read(const EditTarget& target,
                                                                 std::int32_t slot) {
    Archives archives;
    for (std::size_t i = 0; i < kEditKinds.size(); ++i) {
        auto bytes = kaocg_func::ReadEditSlotBytes(target.archives, target.editDataFolder,
                                                   kEditKinds[i], static_cast<std::uint32_t>(slot));
        if (!bytes) {
            return std::nullopt;
        }
        archives[i] = std::move(*bytes);
    }
    return archives;
}

bool RegistrationStep::Write(EditTarget& target, const Archives& bytes) const {
    // All three are attempted, as a registration attempts all three sizes.
    bool written = true;
    for (std::size_t i = 0; i < kEditKinds.size(); ++i) {
        written =
            kaocg_func::WriteEditSlotBytes(target.archives, target.editDataFolder, kEditKinds[i],
                                           static_cast<std::uint32_t>(m_slot), bytes[i]) &&
            written;
    }
    return written;
}

void EditHistory::Push(std::unique_ptr<EditStep> step) {
    if (!step) {
        return;
    }
    while (m_steps.size() > m_done) {
        m_bytes -= m_steps.back()->Bytes();
        m_steps.pop_back();
    }
    m_bytes += step->Bytes();
    m_steps.push_back(std::move(step));
    ++m_done;
    while (m_steps.size() > m_limits.steps || (m_bytes > m_limits.bytes && m_steps.size() > 1)) {
        DropOldest();
    }
}

void EditHistory::DropOldest() {
    m_bytes -= m_steps.front()->Bytes();
    m_steps.pop_front();
    if (m_done > 0) {
        --m_done;
    }
}

const EditStep* EditHistory::NextUndo() const {
    return CanUndo() ? m_steps[m_done - 1].get() : nullptr;
}

const EditStep* EditHistory::NextRedo() const {
    return CanRedo() ? m_steps[m_done].get() : nullptr;
}

bool EditHistory::Undo(EditTarget& target) {
    if (!CanUndo() || !m_steps[m_done - 1]->Undo(target)) {
        return false;
    }
    --m_done;
    return true;
}

bool EditHistory::Redo(EditTarget& target) {
    if (!CanRedo() || !m_steps[m_done]->Redo(target)) {
        return false;
    }
    ++m_done;
    return true;
}

}  // namespace document
