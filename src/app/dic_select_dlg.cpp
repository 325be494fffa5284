// The dictionary dialog.
#include "app/dic_select_dlg.h"

#include <wx/intl.h>
#include <wx/xrc/xmlres.h>

#include <system_error>

#include "app/dialog_support.h"
#include "app/prompts.h"
#include "app/tavik_app.h"
#include "app/wx_text.h"
#include "tools/trash.h"

namespace tavik {

namespace {

void ShowMessage(wxWindow* parent, const wxString& text) {
    AppPrompts().message(parent, text, wxTheApp->GetAppName());
}

// Why `name` is still where it was.
wxString TrashFailureText(const wxString& name, const TrashResult& result) {
    const wxString reason = wxString::FromUTF8(result.reason);
    switch (result.failure) {
        case TrashFailure::kMissing:
            return wxString::Format(_(L"‘%s’ 파일이 이미 없습니다."), name);
        case TrashFailure::kNoTrash:
            return wxString::Format(
                _(L"‘%s’이(가) 있는 디스크에는 쓸 수 있는 휴지통이 없어 휴지통으로 옮길 수 없습니다. 파일은 그대로 있습니다."),
                name);
        case TrashFailure::kTrashNotWritable:
            return wxString::Format(
                _(L"휴지통에 쓸 수 없어 ‘%s’을(를) 옮기지 못했습니다: %s\n파일은 그대로 있습니다."),
                name, reason);
        case TrashFailure::kNotMoved:
        case TrashFailure::kNone:
            break;
    }
    return wxString::Format(
        _(L"‘%s’을(를) 휴지통으로 옮기지 못했습니다: %s\n파일은 그대로 있습니다."), name, reason);
}

bool Exists(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

}  // namespace

bool CDicSelectDlg::Load(wxWindow* parent) {
    if (!LoadDialogResource(*this, parent, kDicSelectDlgResource)) return false;
    m_list = DialogControl<wxListCtrl>(*this, kIdDicSelectList);
    m_codePage = DialogControl<wxComboBox>(*this, XRCID("code_page_box"));
    m_remove = DialogControl<wxButton>(*this, XRCID("remove_button"));
    if (!m_list || !m_codePage || !m_remove || m_codePage->GetCount() == 0) return false;
    const auto width = [this](int dialogUnits) {
        return ConvertDialogToPixels(wxSize(dialogUnits, 0)).x;
    };
    m_list->InsertColumn(kDicColumnName, _(L"이름"), wxLIST_FORMAT_LEFT, width(120));
    m_list->InsertColumn(kDicColumnSize, _(L"크기"), wxLIST_FORMAT_RIGHT, width(42));
    m_list->InsertColumn(kDicColumnCodePage, _(L"코드 페이지"), wxLIST_FORMAT_LEFT, width(62));
    m_list->SetName(_(L"사전 선택"));
    Bind(wxEVT_INIT_DIALOG, &CDicSelectDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CDicSelectDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CDicSelectDlg::OnRemove, this, m_remove->GetId());
    Bind(wxEVT_LIST_ITEM_SELECTED, &CDicSelectDlg::OnSelchangeDicList, this, kIdDicSelectList);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &CDicSelectDlg::OnSelchangeDicList, this, kIdDicSelectList);
    Bind(wxEVT_LIST_ITEM_ACTIVATED, &CDicSelectDlg::OnItemActivated, this, kIdDicSelectList);
    RouteEnterToOk(*this);
    return true;
}

void CDicSelectDlg::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    FillList();
    m_list->SetFocus();
}

void CDicSelectDlg::FillList() {
    // Read afresh each time: files copied in since the start show up here.
    m_listing = ListDictionaries(m_dataFolders, m_app.m_strDicPath);
    m_list->DeleteAllItems();
    for (size_t i = 0; i < m_listing.names.size(); ++i) {
        const long row = m_list->InsertItem(long(i), ToWx(m_listing.names[i]));
        m_list->SetItem(row, kDicColumnSize, ToWx(FileSizeText(m_listing.sizes[i])));
        m_list->SetItem(row, kDicColumnCodePage, CodePageText(m_listing.files[i]));
    }
    if (m_listing.selection >= 0) {
        m_list->SetItemState(m_listing.selection, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        m_list->EnsureVisible(m_listing.selection);
    }
    ShowCodePageChoice();
}

wxString CDicSelectDlg::CodePageText(const std::filesystem::path& file) {
    const std::string choice = m_app.CodePages().Choice(file);
    if (choice != kAutomaticCodePage) return wxString::FromUTF8(choice);
    // What the file's bytes were found to be, remembered until it changes.
    return wxString::Format(_(L"%s (자동)"),
                            wxString::FromUTF8(m_app.CodePages().For(file).Name()));
}

int CDicSelectDlg::SelectedRow() const {
    const long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    return row >= 0 && size_t(row) < m_listing.files.size() ? int(row) : -1;
}

std::optional<std::filesystem::path> CDicSelectDlg::SelectedFile() const {
    const int row = SelectedRow();
    if (row < 0) return std::nullopt;
    return m_listing.files[size_t(row)];
}

void CDicSelectDlg::OnSelchangeDicList(wxListEvent& event) {
    ShowCodePageChoice();
    event.Skip();
}

void CDicSelectDlg::OnItemActivated(wxListEvent& /*event*/) {
    // A double click (or Enter) on a row chooses it, as "선택" does.
    wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
    click.SetEventObject(FindWindow(wxID_OK));
    ProcessWindowEvent(click);
}

void CDicSelectDlg::ShowCodePageChoice() {
    const auto path = SelectedFile();
    m_remove->Enable(path.has_value());
    const std::string choice = path ? m_app.CodePages().Choice(*path) : kAutomaticCodePage;
    if (choice == kAutomaticCodePage) {
        m_codePage->SetSelection(0);
        return;
    }
    const int listed = m_codePage->FindString(wxString::FromUTF8(choice));
    if (listed > 0)
        m_codePage->SetSelection(listed);
    else
        m_codePage->SetValue(wxString::FromUTF8(choice));
}

void CDicSelectDlg::OnOK(wxCommandEvent& event) {
    // The choice takes effect at the next search.
    if (const auto path = SelectedFile()) {
        if (!Exists(*path)) {
            ShowMessage(this, wxString::Format(_(L"‘%s’ 파일이 이미 없습니다."),
                                               ToWx(m_listing.names[size_t(SelectedRow())])));
            FillList();
            return;  // the dialog stays open on the folders as they are now
        }
        wxString typed = m_codePage->GetValue();
        typed.Trim().Trim(false);
        const bool automatic = typed.empty() || typed == m_codePage->GetString(0);
        const std::string choice = automatic ? kAutomaticCodePage : std::string(typed.utf8_str());
        if (!m_app.CodePages().SetChoice(*path, choice)) {
            ShowMessage(this, wxString::Format(
                                  _(L"‘%s’은(는) 알 수 없는 코드 페이지입니다.\nCP949, UTF-8 또는 iconv가 아는 다른 이름(예: EUC-KR)을 입력하십시오."),
                                  typed));
            m_codePage->SetFocus();
            return;  // the dialog stays open, nothing is stored
        }
        m_app.ChooseDictionary(*path);
    }
    event.Skip();  // the dialog's own OK handling closes it
}

void CDicSelectDlg::OnRemove(wxCommandEvent& /*event*/) {
    const int row = SelectedRow();
    if (row < 0) return;
    const std::filesystem::path file = m_listing.files[size_t(row)];
    const wxString name = ToWx(m_listing.names[size_t(row)]);
    if (!AppPrompts().confirm(this,
                              wxString::Format(_(L"‘%s’ 사전을 휴지통으로 옮기시겠습니까?"), name)))
        return;
    const TrashResult result = MoveToTrash(file, TrashPlacesFromEnvironment());
    if (!result.Ok()) {
        ShowMessage(this, TrashFailureText(name, result));
        FillList();
        return;
    }
    const std::filesystem::path inUse = m_app.m_strDicPath;
    const auto next = DictionaryAfterRemoval(m_dataFolders, file, inUse);
    if (next != inUse) {
        // The file the searches read is gone: another one takes its place
        // now, whichever way the dialog closes.
        m_app.ChooseDictionary(next.value_or(std::filesystem::path()));
        FillList();
        const wxString text =
            next ? wxString::Format(_(L"사용하던 사전 ‘%s’을(를) 휴지통으로 옮겼습니다. 이제 ‘%s’ 사전을 씁니다."),
                                    name, ToWx(FileNameText(next->filename())))
                 : wxString::Format(
                       _(L"사용하던 사전 ‘%s’을(를) 휴지통으로 옮겼습니다. 남은 사전이 없습니다."),
                       name);
        ShowMessage(this, text);
        return;
    }
    FillList();
}

bool RunDicSelectDlg(wxWindow* parent, CTavikApp& app) {
    CDicSelectDlg dialog(app);
    if (!dialog.Load(parent)) return false;
    dialog.m_dataFolders = app.DataFolders();
    return dialog.ShowModal() == wxID_OK;
}

}  // namespace tavik
