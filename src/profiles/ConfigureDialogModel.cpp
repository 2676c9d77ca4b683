#include "profiles/ConfigureDialogModel.h"

#include <utility>

namespace solvane {

ConfigureClick HitTestConfigure(int x, int y) {
    using namespace configure_layout;
    if (kCloseArea.Contains(x, y)) {
        return ConfigureClick::Close;
    }
    if (kNewArea.Contains(x, y)) {
        return ConfigureClick::New;
    }
    if (kDeleteArea.Contains(x, y)) {
        return ConfigureClick::Delete;
    }
    return ConfigureClick::None;
}

ConfigureAction ConfigureDialogModel::LeftButtonUp(int x, int y,
                                                   std::optional<std::size_t> selection) {
    switch (HitTestConfigure(x, y)) {
    case ConfigureClick::Close:
        return ConfigureAction::Close;
    case ConfigureClick::New:
        return Command(ID_PROFILE_NEW, selection);
    case ConfigureClick::Delete:
        return Command(ID_PROFILE_DELETE, selection);
    case ConfigureClick::None:
        break;
    }
    return ConfigureAction::None;
}

ConfigureAction ConfigureDialogModel::Command(int command, std::optional<std::size_t> selection) {
    m_profiles.list().Select(selection);
    // What each command tells the user it has already told through the prompts.
    switch (command) {
    case ID_PROFILE_NEW:
        m_profiles.OnProfileNew();
        break;
    case ID_PROFILE_COPY:
        m_profiles.OnProfileCopy();
        break;
    case ID_PROFILE_SAVE:
        m_profiles.OnProfileSave();
        break;
    case ID_PROFILE_LOAD:
        m_profiles.OnProfileLoad();
        break;
    case ID_PROFILE_DELETE:
        m_profiles.OnProfileDelete();
        break;
    default:
        return ConfigureAction::None;
    }
    return ConfigureAction::ShowList;
}

ConfigureAction ConfigureDialogModel::Renamed(std::size_t editStartIndex, std::string typed) {
    if (m_profiles.list().AcceptEdit(editStartIndex, std::move(typed))) {
        m_profiles.OnProfileRenamed(editStartIndex);
    } else {
        // Nothing to rename; the list shows the folder again rather than the typed text.
        m_profiles.RefreshProfiles();
    }
    return ConfigureAction::ShowList;
}

}  // namespace solvane
