#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "common/SortedList.h"
#include "macros/MacroEditBuffers.h"
#include "macros/MacroEventItems.h"
#include "macros/MacroManagerHost.h"
#include "macros/MacroRecord.h"

namespace solvane {

// Commands of the event list's context menu.
namespace macro_menu {
inline constexpr int ID_MACRO_RECORD_BEFORE = 32790;
inline constexpr int ID_MACRO_RECORD_AFTER = 32791;
inline constexpr int ID_MACRO_INSERT_DELAY = 32793;
inline constexpr int ID_MACRO_LEFT_DOWN = 32800;
inline constexpr int ID_MACRO_LEFT_UP = 32801;
inline constexpr int ID_MACRO_LEFT_CLICK = 32802;
inline constexpr int ID_MACRO_RIGHT_DOWN = 32804;
inline constexpr int ID_MACRO_RIGHT_UP = 32806;
inline constexpr int ID_MACRO_RIGHT_CLICK = 32807;
inline constexpr int ID_MACRO_MIDDLE_DOWN = 32811;
inline constexpr int ID_MACRO_MIDDLE_UP = 32812;
inline constexpr int ID_MACRO_MIDDLE_CLICK = 32813;
inline constexpr int ID_MACRO_DELETE_ITEM = 32815;
}  // namespace macro_menu

// The keyboard's mouse buttons, by the pseudo virtual-key code both event arrays hold.
enum class MouseButton : std::uint8_t { Left = 0xF0, Right = 0xF1, Middle = 0xF2 };
enum class MouseAction { Press, Release, Click };

// What a hooked key did.
enum class HookKeyOutcome {
    Appended,       // recorded at the end of the macro
    Inserted,       // inserted at the pending insertion point
    Repeat,         // a held key repeating: nothing added
    NotRecordable,  // the keyboard has no code for the key
    Full,           // refused: the macro's 190 bytes hold no more (recording stopped)
    Ignored,        // neither recording nor inserting
};

// Where recorded delays are measured; tests and the command line give their own.
using MacroClock = std::function<std::chrono::steady_clock::time_point()>;

// The macro manager: a working copy of the macro store with its sorted name list, the selected
// macro in a pair of edit buffers shown as event-list items, recording from hooked keys and the
// event-list edits. The dialog is a view over it: it shows what the accessors say, forwards the
// user's actions and answers the host's requests.
//
// The named working records always match the name list item for item, and the selected record
// always holds the edit buffers: every change is stored at once.
class MacroManager {
public:
    explicit MacroManager(MacroManagerHost& host,
                          MacroClock clock = [] { return std::chrono::steady_clock::now(); });

    // The dialog opens: the working copy becomes the store, the first macro is selected. Named
    // records keep their numbers (keys refer to macros by number); named records after an empty
    // one (never written by this program) close up behind the others.
    void Open(const MacroStore& store);
    // "确定": ends recording and any pending insertion and copies the working copy into `store`.
    // The caller then encodes the macro blocks and saves keymap.bin and MacroDefine.bin.
    void Ok(MacroStore& store);
    // "取消" or closing otherwise: ends recording and any pending insertion; nothing is copied.
    void Cancel();

    // What the view shows.
    const std::vector<std::u16string>& macroNames() const { return m_names.items(); }
    std::optional<std::size_t> selectedMacro() const { return m_names.selection(); }
    const std::vector<EventItem>& eventItems() const { return m_items; }
    std::optional<std::size_t> selectedEventItem() const { return m_selectedItem; }
    // Only delay items can be edited in place.
    bool IsDelayItem(std::size_t item) const { return item < m_items.size() && m_items[item].delay; }
    const std::string& loopText() const { return m_loopText; }
    bool loopEditEnabled() const { return m_loopEnabled; }
    bool loopBoxTicked() const { return m_loopEnabled; }
    bool delayBoxTicked() const { return m_recordDelays; }
    bool recording() const { return m_recording; }
    std::string_view recordCaption() const;
    bool hookActive() const { return m_hookActive; }
    bool insertionMode() const { return m_insertionMode; }
    std::size_t insertionIndex() const { return m_insertionIndex; }

    const MacroStore& workingCopy() const { return *m_working; }
    const MacroEditBuffers& editBuffers() const { return m_buffers; }
    // Where recording appends: always right behind the last event.
    std::size_t appendPos() const { return EventsEnd(m_buffers); }
    const std::u16string& lastEventText() const { return m_lastEventText; }

    // The macro list's selection changed (nothing: no macro selected).
    void SelectMacro(std::optional<std::size_t> index);
    void SelectEventItem(std::optional<std::size_t> item);

    // The record button: starts recording into the selected macro (its events are cleared) or
    // stops it.
    void ToggleRecording();
    // The two check boxes; the selected macro takes the new setting at once.
    void ToggleRecordDelays();
    void ToggleLoop();
    // The user changed the loop count edit: up to three digits, empty for 0.
    Status SetLoopText(std::string_view text);

    // "新建": a macro with the next free default name, opened blank at its sorted place.
    Status NewMacro();
    // "删除" (after asking): the selected macro; the macros after it move up by one number.
    Status DeleteMacro();
    // The in-place edit of macro `index` was accepted with `text` (cut to 254 characters; an
    // empty name is refused). The macro moves to the sorted place of its new name with its
    // events, loop count and flags, and stays selected; returns its new index.
    Result<std::size_t> RenameMacro(std::size_t index, std::u16string_view text);
    // An in-place edit is opening in either list: recording and any pending insertion end.
    void BeginListEdit();
    // Copies the list's names into the working records by position.
    void SyncMacroNames();
    std::u16string MakeDefaultMacroName() const;

    // A key from the hook: virtual-key code and whether it was released.
    HookKeyOutcome OnHookKey(std::uint8_t key, bool release);

    // The event list's context menu, by command id; unknown ids do nothing.
    Status RunMenuCommand(int commandId);
    // Record one key before or after the event of the selected item.
    Status RecordBefore();
    Status RecordAfter();
    Status InsertMouse(MouseButton button, MouseAction action);
    // Gives the event after the selected key item a 50 ms delay.
    Status InsertDelay();
    // Deletes the selected item's event, or only its delay for a delay item.
    Status DeleteItem();
    // The in-place edit of delay item `item` was accepted with `delayMs` (held to 2..60,000).
    Status EditDelay(std::size_t item, std::uint32_t delayMs);

private:
    // Which item, by its event and kind: survives changes that move items.
    struct ItemRef {
        std::size_t event;
        bool delay;
    };

    void LoadMacroIntoList(std::size_t index);
    void StoreEditBuffers();
    HookKeyOutcome InsertMacroToList(std::uint8_t key, std::uint16_t delayMs, bool release);
    HookKeyOutcome RecordHookedKey(std::uint8_t key, bool release);
    HookKeyOutcome InsertHookedKey(std::uint8_t key, bool release);
    Status StartInsertion(std::size_t insertionIndex);

    // The list items again from the edit buffers; the selection is `selected` where it still
    // exists.
    void Refresh(std::optional<ItemRef> selected = std::nullopt);
    std::optional<ItemRef> SelectedRef() const;
    // The bytes position at which the event starting at `item` begins (the end of the events
    // for the item count); nothing when no event starts there.
    std::optional<std::size_t> PositionOfItem(std::size_t item) const;
    // After an edit of the selected macro's events: first-delay rule, stored, list rebuilt.
    void FinishItemEdit(bool keepSelection);
    Status Refuse(std::string_view why) const;
    Status ReportFull(const Status& refusal);

    void ShowLoopCount(std::uint16_t count);
    void StopHook();
    // A pending insertion ends; the hook goes with it unless recording holds it.
    void EndInsertion();
    std::size_t MacroCount() const { return m_names.size(); }

    MacroManagerHost& m_host;
    MacroClock m_clock;
    std::unique_ptr<MacroStore> m_working;
    SortedList<std::u16string> m_names;

    MacroEditBuffers m_buffers;
    std::vector<BufferedEvent> m_events;
    std::vector<EventItem> m_items;
    std::optional<std::size_t> m_selectedItem;
    std::u16string m_lastEventText;
    std::chrono::steady_clock::time_point m_lastEventTime{};

    std::string m_loopText;
    bool m_loopEnabled = false;
    bool m_recordDelays = false;
    bool m_recording = false;
    bool m_hookActive = false;
    bool m_insertionMode = false;
    std::size_t m_insertionIndex = 0;
};

}  // namespace solvane
