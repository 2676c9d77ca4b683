// The macro manager's work on the selected macro's events: recording, insertion mode and the
// event list's context menu.
#include <algorithm>

#include "keys/KeyNameTable.h"
#include "macros/MacroEvents.h"
#include "macros/MacroManager.h"
#include "macros/MacroManagerText.h"

namespace solvane {
namespace {

constexpr std::uint16_t kInsertedDelayMs = 50;
constexpr std::uint32_t kShortestEditedDelayMs = 2;

}  // namespace

HookKeyOutcome MacroManager::OnHookKey(std::uint8_t key, bool release) {
    HookKeyOutcome outcome = HookKeyOutcome::Ignored;
    if (m_insertionMode) {
        outcome = InsertHookedKey(key, release);
    } else if (m_hookActive) {
        outcome = RecordHookedKey(key, release);
    }
    StoreEditBuffers();
    return outcome;
}

HookKeyOutcome MacroManager::RecordHookedKey(std::uint8_t key, bool release) {
    if (!selectedMacro()) {
        return HookKeyOutcome::Ignored;
    }
    // Such a key is left out as if it had not been pressed: its zero code would end the list.
    if (DeviceCodeOf(key) == 0) {
        return HookKeyOutcome::NotRecordable;
    }
    const auto now = m_clock();
    std::uint16_t delayMs = 0;
    if (release || !m_items.empty()) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_lastEventTime);
        delayMs = static_cast<std::uint16_t>(
            std::clamp<std::chrono::milliseconds::rep>(elapsed.count(), 0, macro_event::kMaxDelay));
    }
    // A held key repeats its press; the next event's delay counts from the last repetition.
    m_lastEventTime = now;
    if (KeyItemText(key, release) == m_lastEventText) {
        return HookKeyOutcome::Repeat;
    }
    // Two events within the same millisecond: 0 would read as a delay item the keyboard skips.
    return InsertMacroToList(key, std::max<std::uint16_t>(delayMs, 1), release);
}

HookKeyOutcome MacroManager::InsertMacroToList(std::uint8_t key, std::uint16_t delayMs, bool release) {
    // The first event never waits; without the delay check box no event does.
    const std::uint16_t delay = (m_recordDelays && !m_items.empty()) ? delayMs : 1;
    if (auto added = InsertBufferedEvent(m_buffers, appendPos(), key, delay, release); !added) {
        m_recording = false;
        StopHook();
        ReportFull(added);
        return HookKeyOutcome::Full;
    }
    m_lastEventText = KeyItemText(key, release);
    Refresh();
    SelectEventItem(m_items.size() - 1);
    return HookKeyOutcome::Appended;
}

HookKeyOutcome MacroManager::InsertHookedKey(std::uint8_t key, bool release) {
    if (DeviceCodeOf(key) == 0) {
        return HookKeyOutcome::NotRecordable;
    }
    const auto position = selectedMacro() ? PositionOfItem(m_insertionIndex) : std::nullopt;
    if (!position) {
        EndInsertion();
        return HookKeyOutcome::Ignored;
    }
    if (release) {
        EndInsertion();
    }
    auto selected = SelectedRef();
    // The event that started at the insertion point moves one event on.
    const std::size_t inserted = std::find_if(m_events.begin(), m_events.end(), [&](const BufferedEvent& e) {
                                     return e.position >= *position;
                                 }) - m_events.begin();
    if (auto added = InsertBufferedEvent(m_buffers, *position, key, 1, release); !added) {
        EndInsertion();
        ReportFull(added);
        return HookKeyOutcome::Full;
    }
    if (selected && selected->event >= inserted) {
        ++selected->event;
    }
    Refresh(selected);
    m_insertionIndex = FirstItemOf(m_items, inserted + 1);
    return HookKeyOutcome::Inserted;
}

Status MacroManager::RunMenuCommand(int commandId) {
    using namespace macro_menu;
    struct Mouse {
        int id;
        MouseButton button;
        MouseAction action;
    };
    static constexpr Mouse kMouseCommands[] = {
        {ID_MACRO_LEFT_DOWN, MouseButton::Left, MouseAction::Press},
        {ID_MACRO_LEFT_UP, MouseButton::Left, MouseAction::Release},
        {ID_MACRO_LEFT_CLICK, MouseButton::Left, MouseAction::Click},
        {ID_MACRO_RIGHT_DOWN, MouseButton::Right, MouseAction::Press},
        {ID_MACRO_RIGHT_UP, MouseButton::Right, MouseAction::Release},
        {ID_MACRO_RIGHT_CLICK, MouseButton::Right, MouseAction::Click},
        {ID_MACRO_MIDDLE_DOWN, MouseButton::Middle, MouseAction::Press},
        {ID_MACRO_MIDDLE_UP, MouseButton::Middle, MouseAction::Release},
        {ID_MACRO_MIDDLE_CLICK, MouseButton::Middle, MouseAction::Click},
    };
    for (const Mouse& mouse : kMouseCommands) {
        if (mouse.id == commandId) {
            return InsertMouse(mouse.button, mouse.action);
        }
    }
    switch (commandId) {
        case ID_MACRO_RECORD_BEFORE:
            return RecordBefore();
        case ID_MACRO_RECORD_AFTER:
            return RecordAfter();
        case ID_MACRO_INSERT_DELAY:
            return InsertDelay();
        case ID_MACRO_DELETE_ITEM:
            return DeleteItem();
        default:
            return Refuse("unknown command " + std::to_string(commandId));
    }
}

Status MacroManager::RecordBefore() {
    if (!m_selectedItem) {
        return Refuse("no event is selected");
    }
    return StartInsertion(FirstItemOf(m_items, m_items[*m_selectedItem].event));
}

Status MacroManager::RecordAfter() {
    if (!m_selectedItem) {
        return Refuse("no event is selected");
    }
    return StartInsertion(FirstItemOf(m_items, m_items[*m_selectedItem].event + 1));
}

Status MacroManager::StartInsertion(std::size_t insertionIndex) {
    if (!m_hookActive) {
        m_hookActive = m_host.InstallKeyHook();
        if (!m_hookActive) {
            m_host.ShowMessage(macro_text::kCaption, macro_text::kNoKeyHook);
            return {ErrorCode::InvalidArgument, "keys cannot be read"};
        }
    }
    m_insertionIndex = insertionIndex;
    m_insertionMode = true;
    return Status::Ok();
}

Status MacroManager::InsertMouse(MouseButton button, MouseAction action) {
    if (!selectedMacro() || !m_selectedItem) {
        return Refuse("no event is selected");
    }
    const std::size_t next = m_items[*m_selectedItem].event + 1;
    const std::size_t position = next < m_events.size() ? m_events[next].position : appendPos();
    const auto key = static_cast<std::uint8_t>(button);
    const std::size_t bytes = (action == MouseAction::Click ? 2 : 1) * macro_event::kShortSize;
    if (appendPos() + bytes > kMacroEventBytes) {
        return ReportFull({ErrorCode::InvalidArgument, "the macro is full"});
    }
    if (action != MouseAction::Release) {
        InsertBufferedEvent(m_buffers, position, key, 1, false);
    }
    if (action != MouseAction::Press) {
        const std::size_t after = action == MouseAction::Click ? macro_event::kShortSize : 0;
        InsertBufferedEvent(m_buffers, position + after, key, 1, true);
    }
    EndInsertion();
    StoreEditBuffers();
    Refresh(SelectedRef());
    return Status::Ok();
}

Status MacroManager::InsertDelay() {
    if (!m_selectedItem || *m_selectedItem + 1 >= m_items.size()) {
        return Refuse("no event follows the selected item");
    }
    if (m_items[*m_selectedItem].delay) {
        m_host.ShowMessage(macro_text::kCaption, macro_text::kEditCurrentDelay);
        return Refuse("the selected item is a delay");
    }
    const BufferedEvent next = m_events[m_items[*m_selectedItem + 1].event];
    SetBufferedEventDelay(m_buffers, next, kInsertedDelayMs);  // a short form: never refused
    FinishItemEdit(false);
    return Status::Ok();
}

Status MacroManager::DeleteItem() {
    if (!selectedMacro() || !m_selectedItem) {
        return Refuse("no event is selected");
    }
    const EventItem& item = m_items[*m_selectedItem];
    const BufferedEvent event = m_events[item.event];
    if (item.delay) {
        SetBufferedEventDelay(m_buffers, event, 1);  // shrinks or keeps the size: never refused
    } else {
        RemoveBufferedEvent(m_buffers, event);
    }
    FinishItemEdit(false);
    return Status::Ok();
}

Status MacroManager::EditDelay(std::size_t item, std::uint32_t delayMs) {
    if (!IsDelayItem(item)) {
        return Refuse("item " + std::to_string(item) + " is no delay");
    }
    SelectEventItem(item);  // the list selects the item it has just edited
    const auto delay = static_cast<std::uint16_t>(
        std::clamp<std::uint32_t>(delayMs, kShortestEditedDelayMs, macro_event::kMaxDelay));
    if (auto set = SetBufferedEventDelay(m_buffers, m_events[m_items[item].event], delay); !set) {
        return ReportFull(set);
    }
    FinishItemEdit(true);
    return Status::Ok();
}

std::optional<std::size_t> MacroManager::PositionOfItem(std::size_t item) const {
    for (std::size_t e = 0; e < m_events.size(); ++e) {
        if (FirstItemOf(m_items, e) == item) {
            return m_events[e].position;
        }
    }
    if (item == m_items.size()) {
        return appendPos();
    }
    return std::nullopt;
}

void MacroManager::FinishItemEdit(bool keepSelection) {
    const auto selected = keepSelection ? SelectedRef() : std::nullopt;
    ApplyFirstDelayRule(m_buffers);
    EndInsertion();
    StoreEditBuffers();
    Refresh(selected);
}

Status MacroManager::Refuse(std::string_view why) const {
    return {ErrorCode::InvalidArgument, std::string(why)};
}

Status MacroManager::ReportFull(const Status& refusal) {
    m_host.ShowMessage(macro_text::kCaption, macro_text::kMacroFull);
    return refusal;
}

}  // namespace solvane
