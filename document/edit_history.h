#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "kaocg/archive_context.h"
#include "kaocg/edit_slot_bytes.h"
#include "roster/bushou_manager.h"

namespace document {

// What undoing and redoing work on: the roster in memory and the edit archives on disk.
struct EditTarget {
    roster::bushou_manager* generals;  // null before the roster is loaded
    kaocg_func::ArchiveContext archives;
    std::wstring_view editDataFolder;
};

// One command's effect, recorded with what it changed before and after, so that it can be
// taken back and done again any number of times.
class EditStep {
public:
    virtual ~EditStep() = default;
    // The command's name as the menu shows it ("變更圖像").
    virtual std::wstring_view Name() const = 0;
    // The memory the step keeps.
    virtual std::size_t Bytes() const = 0;
    // False when a file could not be written; what was written stays written.
    virtual bool Undo(EditTarget& target) const = 0;
    virtual bool Redo(EditTarget& target) const = 0;
    // The edit slot whose pictures Undo and Redo rewrite, if any.
    virtual std::optional<std::int32_t> RewrittenSlot() const { return std::nullopt; }
};

// Faces given to generals (Change image, Initialize all): memory only.
class FaceChangeStep final : public EditStep {
public:
    struct Change {
        int position;  // in the roster
        std::int32_t before, after;
    };
    FaceChangeStep(std::wstring_view name, std::vector<Change> changes)
        : m_name(name), m_changes(std::move(changes)) {}

    std::wstring_view Name() const override { return m_name; }
    std::size_t Bytes() const override;
    bool Undo(EditTarget& target) const override;
    bool Redo(EditTarget& target) const override;

private:
    std::wstring_view m_name;
    std::vector<Change> m_changes;
};

// A registration: the bytes of the slot in the large, medium and small edit archives.
class RegistrationStep final : public EditStep {
public:
    using Archives = std::array<kaocg_func::EditSlotBytes, 3>;
    RegistrationStep(std::wstring_view name, std::int32_t slot, Archives before, Archives after)
        : m_name(name), m_slot(slot), m_before(std::move(before)), m_after(std::move(after)) {}

    std::wstring_view Name() const override { return m_name; }
    std::size_t Bytes() const override;
    bool Undo(EditTarget& target) const override { return Write(target, m_before); }
    bool Redo(EditTarget& target) const override { return Write(target, m_after); }
    std::optional<std::int32_t> RewrittenSlot() const override { return m_slot; }

    // The three edit archives' bytes of a slot, large first; nothing when one is unreadable.
    static std::optional<Archives> Read(const EditTarget& target, std::int32_t slot);

private:
    bool Write(EditTarget& target, const Archives& bytes) const;

    std::wstring_view m_name;
    std::int32_t m_slot;
    Archives m_before, m_after;
};

// The steps done and undone, oldest first. A new step forgets the undone ones; the oldest are
// dropped once there are more steps, or more bytes, than the limits allow.
class EditHistory {
public:
    struct Limits {
        std::size_t steps = 100;
        std::size_t bytes = 64u << 20;
    };
    EditHistory() : EditHistory(Limits{}) {}
    explicit EditHistory(Limits limits) : m_limits(limits) {}

    void Push(std::unique_ptr<EditStep> step);
    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // The step Undo (Redo) would take; null when there is none.
    const EditStep* NextUndo() const;
    const EditStep* NextRedo() const;
    // False when there is nothing to do or the step failed; a failed step stays where it was,
    // so that it can be tried again.
    bool Undo(EditTarget& target);
    bool Redo(EditTarget& target);

    std::size_t Count() const { return m_steps.size(); }
    std::size_t Bytes() const { return m_bytes; }

private:
    void DropOldest();

    Limits m_limits;
    std::deque<std::unique_ptr<EditStep>> m_steps;
    std::size_t m_done = 0;  // steps [0, m_done) are done
    std::size_t m_bytes = 0;
};

}  // namespace document
