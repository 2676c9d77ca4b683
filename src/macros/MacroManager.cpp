#include "macros/MacroManager.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "macros/MacroNames.h"
#include "macros/MacroManagerText.h"

namespace solvane {
namespace {

// The loop edit's text as a number, as the dialog reads it: empty is 0.
std::uint16_t LoopValue(std::string_view text) {
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return static_cast<std::uint16_t>(std::min<unsigned>(value, std::numeric_limits<std::uint16_t>::max()));
}

void ZeroRecord(MacroRecord& record) { std::memset(static_cast<void*>(&record), 0, sizeof record); }

}  // namespace

MacroManager::MacroManager(MacroManagerHost& host, MacroClock clock)
    : m_host(host), m_clock(std::move(clock)), m_working(std::make_unique<MacroStore>()) {
    std::memset(static_cast<void*>(m_working->data()), 0, sizeof(MacroStore));
}

void MacroManager::Open(const MacroStore& store) {
    m_lastEventText.clear();
    StopHook();
    m_recordDelays = m_loopEnabled = m_recording = m_insertionMode = false;

    std::memset(static_cast<void*>(m_working->data()), 0, sizeof(MacroStore));
    std::vector<std::u16string> names;
    for (const MacroRecord& record : store) {
        if (HasMacroName(record)) {
            MacroRecord& copy = (*m_working)[names.size()];
            copy = record;
            names.push_back(FitMacroName(MacroName(record)));
            SetMacroName(copy, names.back());
        }
    }
    m_names.Assign(std::move(names));
    m_loopText.clear();
    m_buffers = {};
    Refresh();
    if (m_names.empty()) {
        return;
    }
    m_names.Select(0);
    const MacroRecord& first = (*m_working)[0];
    m_loopEnabled = LoopCountOf(first) > 1;
    ShowLoopCount(LoopCountOf(first));  // "0" stays "0" here
    m_recordDelays = (first.flags & macro_record::kFlagRecordDelays) != 0;
    LoadMacroIntoList(0);
}

void MacroManager::Ok(MacroStore& store) {
    Cancel();
    if (const auto selected = selectedMacro(); selected && m_loopEnabled) {
        SetLoopCount((*m_working)[*selected], LoopValue(m_loopText));
    }
    store = *m_working;
}

void MacroManager::Cancel() {
    m_insertionMode = false;
    m_recording = false;
    StopHook();
}

std::string_view MacroManager::recordCaption() const {
    return m_recording ? macro_text::kStopRecording : macro_text::kStartRecording;
}

void MacroManager::SelectMacro(std::optional<std::size_t> index) {
    EndInsertion();
    m_names.Select(index);
    const auto selected = selectedMacro();
    if (!selected) {
        m_buffers = {};
        Refresh();
        return;
    }
    const MacroRecord& record = (*m_working)[*selected];
    m_recordDelays = (record.flags & macro_record::kFlagRecordDelays) != 0;
    const std::uint16_t count = LoopCountOf(record);
    m_loopEnabled = count > 1;
    ShowLoopCount(count == 0 ? 1 : count);
    LoadMacroIntoList(*selected);
}

void MacroManager::SelectEventItem(std::optional<std::size_t> item) {
    m_selectedItem = (item && *item < m_items.size()) ? item : std::nullopt;
}

void MacroManager::ToggleRecording() {
    const auto selected = selectedMacro();
    if (!selected) {
        m_host.ShowMessage(macro_text::kCaption, macro_text::kSelectToRecord);
        return;
    }
    if (m_recording) {
        m_recording = false;
        StopHook();
        return;
    }
    m_insertionMode = false;
    if (!m_hookActive) {
        m_hookActive = m_host.InstallKeyHook();
        if (!m_hookActive) {
            // The macro keeps its events: nothing could replace them.
            m_host.ShowMessage(macro_text::kCaption, macro_text::kNoKeyHook);
            return;
        }
    }
    m_recording = true;
    m_buffers = {};
    m_lastEventText.clear();
    m_lastEventTime = m_clock();
    MacroRecord& record = (*m_working)[*selected];
    record.deviceEvents.fill(0);
    record.keyEvents.fill(0);
    Refresh();
}

void MacroManager::ToggleRecordDelays() {
    m_recordDelays = !m_recordDelays;
    StoreEditBuffers();
}

void MacroManager::ToggleLoop() {
    m_loopEnabled = !m_loopEnabled;
    StoreEditBuffers();
}

Status MacroManager::SetLoopText(std::string_view text) {
    constexpr std::size_t kMaxDigits = 3;
    if (text.size() > kMaxDigits ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {ErrorCode::InvalidArgument, "a loop count is a number from 0 to 999"};
    }
    m_loopText = text;
    if (const auto selected = selectedMacro()) {
        SetLoopCount((*m_working)[*selected], LoopValue(m_loopText));
    }
    return Status::Ok();
}

// Setting the edit's text stores it as the user's typing would, whatever its length.
void MacroManager::ShowLoopCount(std::uint16_t count) {
    m_loopText = std::to_string(count);
    if (const auto selected = selectedMacro()) {
        SetLoopCount((*m_working)[*selected], count);
    }
}

Status MacroManager::NewMacro() {
    if (MacroCount() == macro_record::kCount) {
        return {ErrorCode::InvalidArgument,
                "the macro store is full (" + std::to_string(macro_record::kCount) + " macros)"};
    }
    m_insertionMode = false;
    m_recording = false;
    StopHook();
    auto name = MakeDefaultMacroName();
    const std::size_t k = m_names.Add(name);
    m_names.Select(k);
    MacroStore& working = *m_working;
    std::move_backward(working.begin() + static_cast<std::ptrdiff_t>(k), working.end() - 1, working.end());
    ZeroRecord(working[k]);
    SetMacroName(working[k], name);

    m_buffers = {};
    m_recordDelays = false;
    m_loopEnabled = false;
    ShowLoopCount(1);
    Refresh();
    return Status::Ok();
}

Status MacroManager::DeleteMacro() {
    if (!m_host.AskOkCancel(macro_text::kCaption, macro_text::kConfirmDelete)) {
        return Status::Ok();
    }
    const auto selected = selectedMacro();
    if (!selected) {
        m_host.ShowMessage(macro_text::kCaption, macro_text::kSelectToDelete);
        return {ErrorCode::InvalidArgument, "no macro is selected"};
    }
    const std::size_t s = *selected;
    const std::size_t n = MacroCount();
    m_insertionMode = false;
    m_recording = false;
    StopHook();
    m_names.Remove(s);
    MacroStore& working = *m_working;
    std::move(working.begin() + static_cast<std::ptrdiff_t>(s) + 1, working.end(),
              working.begin() + static_cast<std::ptrdiff_t>(s));
    ZeroRecord(working.back());
    SelectMacro(n >= 2 ? std::optional<std::size_t>(std::min(s, n - 2)) : std::nullopt);
    return Status::Ok();
}

Result<std::size_t> MacroManager::RenameMacro(std::size_t index, std::u16string_view text) {
    if (index >= MacroCount()) {
        return Status{ErrorCode::InvalidArgument, "there is no macro " + std::to_string(index)};
    }
    std::u16string name = FitMacroName(text);
    if (name.empty()) {
        return Status{ErrorCode::InvalidArgument, "a macro needs a name"};
    }
    if (selectedMacro() != index) {
        SelectMacro(index);  // the double-click's first click
    }
    if (!m_names.AcceptEdit(index, std::move(name))) {
        return index;
    }
    const std::size_t moved = *m_names.selection();
    auto records = m_working->begin();
    const auto from = static_cast<std::ptrdiff_t>(index);
    const auto to = static_cast<std::ptrdiff_t>(moved);
    if (from < to) {
        std::rotate(records + from, records + from + 1, records + to + 1);
    } else {
        std::rotate(records + to, records + from, records + from + 1);
    }
    SyncMacroNames();
    return moved;
}

void MacroManager::BeginListEdit() {
    m_insertionMode = false;
    m_recording = false;
    StopHook();
}

void MacroManager::SyncMacroNames() {
    for (std::size_t i = 0; i < MacroCount(); ++i) {
        SetMacroName((*m_working)[i], m_names.at(i));
    }
}

std::u16string MacroManager::MakeDefaultMacroName() const { return NextDefaultMacroName(m_names.items()); }

void MacroManager::LoadMacroIntoList(std::size_t index) {
    const MacroRecord& record = (*m_working)[index];
    m_buffers.deviceEvents = record.deviceEvents;
    m_buffers.keyEvents = record.keyEvents;
    Refresh();
}

void MacroManager::StoreEditBuffers() {
    const auto selected = selectedMacro();
    if (!selected) {
        return;
    }
    MacroRecord& record = (*m_working)[*selected];
    SetMacroName(record, m_names.at(*selected));
    SetLoopCount(record, m_loopEnabled ? LoopValue(m_loopText) : 1);
    record.flags = m_recordDelays ? macro_record::kFlagRecordDelays : 0;
    record.deviceEvents = m_buffers.deviceEvents;
    record.keyEvents = m_buffers.keyEvents;
}

void MacroManager::Refresh(std::optional<ItemRef> selected) {
    m_events = selectedMacro() ? BufferedEvents(m_buffers) : std::vector<BufferedEvent>{};
    m_items = EventItemsOf(m_events);
    m_selectedItem.reset();
    if (!selected) {
        return;
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].event == selected->event && m_items[i].delay == selected->delay) {
            m_selectedItem = i;
        }
    }
}

std::optional<MacroManager::ItemRef> MacroManager::SelectedRef() const {
    if (!m_selectedItem) {
        return std::nullopt;
    }
    const EventItem& item = m_items[*m_selectedItem];
    return ItemRef{item.event, item.delay};
}

void MacroManager::StopHook() {
    if (m_hookActive) {
        m_host.RemoveKeyHook();
        m_hookActive = false;
    }
}

void MacroManager::EndInsertion() {
    if (!m_insertionMode) {
        return;
    }
    m_insertionMode = false;
    if (!m_recording) {
        StopHook();
    }
}

}  // namespace solvane
