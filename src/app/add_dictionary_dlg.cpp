// The 사전 추가 dialog.
#include "app/add_dictionary_dlg.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/command_ids.h"
#include "app/import_progress_dlg.h"
#include "app/prompts.h"
#include "app/tavik_app.h"
#include "app/wx_text.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

wxString FormatText(const std::optional<DictionaryFormat>& format) {
    if (!format) return "Tavik";
    switch (*format) {
        case DictionaryFormat::kDictd:
            return "dictd";
        case DictionaryFormat::kStarDict:
            return "StarDict";
        case DictionaryFormat::kTab:
            return _(L"탭으로 나눈 파일");
    }
    return {};
}

std::optional<fs::path> PickWithFileDialog(wxWindow* parent) {
    wxFileDialog chooser(parent, _(L"가져올 사전 파일"), wxString(), wxString(),
                         _(L"사전 파일") + " (*.index, *.ifo, *.txt, *.tab, *.tsv)|" +
                             "*.index;*.ifo;*.txt;*.tab;*.tsv;*.dict;*.dict.dz|" + _(L"모든 파일") +
                             " (*)|*",
                         wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    return PathFromWx(chooser.GetPath());
}

AddDictionaryServices DefaultServices() {
    return {InstalledDictionaryFolders, PickWithFileDialog, {}};
}

}  // namespace

AddDictionaryServices& AddDictionaryDefaults() {
    static AddDictionaryServices services = DefaultServices();
    return services;
}

AddDictionaryDlg::AddDictionaryDlg(wxWindow* parent, AddDictionaryContext context)
    : wxDialog(parent, wxID_ANY, _(L"사전 추가"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER),
      m_context(std::move(context)) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_intro = new wxStaticText(this, wxID_ANY, wxString());
    column->Add(m_intro, wxSizerFlags().Expand().Border(wxALL, 10));
    m_list = new wxListCtrl(this, wxXmlResource::GetXRCID("installed_list"), wxDefaultPosition,
                            ConvertDialogToPixels(wxSize(260, 110)),
                            wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    m_list->SetName(_(L"설치된 사전"));
    m_list->AppendColumn(_(L"제목"), wxLIST_FORMAT_LEFT, ConvertDialogToPixels(wxSize(150, 0)).x);
    m_list->AppendColumn(_(L"형식"), wxLIST_FORMAT_LEFT, ConvertDialogToPixels(wxSize(50, 0)).x);
    m_list->AppendColumn(_(L"크기"), wxLIST_FORMAT_RIGHT, ConvertDialogToPixels(wxSize(50, 0)).x);
    column->Add(m_list, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, 10));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_import = new wxButton(this, wxXmlResource::GetXRCID("import_button"), _(L"가져오기"));
    m_import->SetDefault();
    buttons->Add(m_import);
    buttons->Add(new wxButton(this, wxXmlResource::GetXRCID("pick_file_button"), _(L"파일 선택…")),
                 wxSizerFlags().Border(wxLEFT, 5));
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CLOSE, _(L"닫기")));
    column->Add(buttons, wxSizerFlags().Expand().Border(wxALL, 10));
    SetSizerAndFit(column);
    SetEscapeId(wxID_CLOSE);
    CentreOnParent();

    Bind(wxEVT_BUTTON, &AddDictionaryDlg::OnImport, this, m_import->GetId());
    Bind(wxEVT_BUTTON, &AddDictionaryDlg::OnPickFile, this,
         wxXmlResource::GetXRCID("pick_file_button"));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CLOSE); }, wxID_CLOSE);
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &AddDictionaryDlg::OnActivated, this);
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) { UpdateButtons(); });
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent&) { UpdateButtons(); });
    FillList();
}

void AddDictionaryDlg::FillList() {
    m_shown = NotYetAdded(FindInstalledDictionaries(m_context.installed), m_context.dataFolders);
    m_list->DeleteAllItems();
    for (const InstalledDictionary& dictionary : m_shown) {
        const long row =
            m_list->InsertItem(m_list->GetItemCount(), wxString::FromUTF8(dictionary.title));
        m_list->SetItem(row, 1, FormatText(dictionary.format));
        m_list->SetItem(row, 2, wxFileName::GetHumanReadableSize(wxULongLong(dictionary.size)));
    }
    if (!m_shown.empty())
        m_list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_intro->SetLabel(m_shown.empty()
                          ? _(L"이 컴퓨터에 설치된 사전 가운데 더 가져올 것이 없습니다. 다른 사전 파일은 ‘파일 선택’으로 가져옵니다.")
                          : _(L"이 컴퓨터에 설치되어 있고 아직 Tavik에 없는 사전입니다."));
    m_intro->Wrap(m_list->GetSize().x);
    UpdateButtons();
}

void AddDictionaryDlg::UpdateButtons() { m_import->Enable(m_list->GetSelectedItemCount() > 0); }

void AddDictionaryDlg::OnImport(wxCommandEvent& /*event*/) {
    const long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row < 0 || size_t(row) >= m_shown.size()) return;
    if (AddSource(SourceOf(m_shown[size_t(row)]))) FillList();
}

void AddDictionaryDlg::OnActivated(wxListEvent& event) {
    m_list->SetItemState(event.GetIndex(), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    wxCommandEvent click(wxEVT_BUTTON, m_import->GetId());
    click.SetEventObject(m_import);
    m_import->ProcessWindowEvent(click);
}

void AddDictionaryDlg::OnPickFile(wxCommandEvent& /*event*/) {
    const auto picked = AddDictionaryDefaults().pickFile(this);
    if (!picked) return;
    DictionarySource source;
    try {
        source = DescribePickedFile(*picked);
    } catch (const std::exception& error) {
        AppPrompts().message(this,
                             wxString::Format(_(L"사전으로 가져올 수 없는 파일입니다: %s\n%s"),
                                              PathToWx(*picked), wxString::FromUTF8(error.what())),
                             wxTheApp->GetAppName());
        return;
    }
    if (AddSource(source)) FillList();
}

bool AddDictionaryDlg::AddSource(const DictionarySource& source) {
    const wxString title = wxString::FromUTF8(source.title);
    const auto failed = [&](const std::string& reason) {
        AppPrompts().message(this,
                             wxString::Format(_(L"‘%s’을(를) 가져오지 못했습니다: %s\n%s"), title,
                                              PathToWx(source.path), wxString::FromUTF8(reason)),
                             wxTheApp->GetAppName());
        return false;
    };
    AddJob job;
    job.source = source;
    job.codePage = *CodePage::Named("UTF-8");
    const auto watch = AddDictionaryDefaults().onWorkerProgress;
    if (!source.format) {
        // A Tavik file is used as it is when its order is right; a file out
        // of order would make searches miss words, so it is sorted instead.
        job.codePage = m_context.codePageOf(source.path);
        int64_t outOfOrder = 0;
        ImportProgressDlg checking(this, wxString::Format(_(L"‘%s’의 순서를 검사하는 중"), title));
        const JobEnd checked = checking.Run(
            [&](ProgressReporter& progress) {
                outOfOrder = LinesOutOfOrder(source.path, job.codePage);
                // The check cannot stop halfway; a cancel asked meanwhile
                // still stops what would come after it.
                progress.Writing(1, 1);
            },
            watch);
        if (checked.kind == JobEnd::Kind::kFailed) return failed(checked.error);
        if (checked.kind == JobEnd::Kind::kCancelled) return false;
        if (outOfOrder > 0) {
            const wxString question = wxString::Format(
                _(L"‘%s’은(는) 표제어 순서가 맞지 않는 곳이 %lld군데 있어 그대로는 찾을 수 없습니다.\n정렬해서 사전 폴더에 넣을까요? (원래 파일은 그대로 둡니다)"),
                title, static_cast<long long>(outOfOrder));
            if (!AppPrompts().confirm(this, question)) return false;
            job.way = TextFileWay::kSort;
        }
    }
    job.target = NewDictionaryPath(source.title, m_context.dataFolders);
    ImportProgressDlg progress(this, wxString::Format(_(L"‘%s’을(를) 가져오는 중"), title));
    const JobEnd end =
        progress.Run([job](ProgressReporter& reporter) { RunAddJob(job, &reporter); }, watch);
    if (end.kind == JobEnd::Kind::kFailed) return failed(end.error);
    if (end.kind == JobEnd::Kind::kCancelled) return false;
    if (m_context.added) m_context.added(job.target);
    return true;
}

void RunAddDictionaryDlg(wxWindow* parent, AddDictionaryContext context) {
    AddDictionaryDlg dialog(parent, std::move(context));
    dialog.ShowModal();
}

}  // namespace tavik

namespace tavik {

int AddDictionaryCommandId() {
    static const int id = wxXmlResource::GetXRCID("add_dictionary");
    return id;
}

void RunAddDictionaryForApp(wxWindow* parent,
                            std::function<void(const std::filesystem::path&)> added) {
    CTavikApp& app = theApp();
    AddDictionaryContext context;
    context.installed = AddDictionaryDefaults().installedFolders();
    context.dataFolders = app.DataFolders();
    context.codePageOf = [&app](const fs::path& file) { return app.CodePages().For(file); };
    context.added = std::move(added);
    RunAddDictionaryDlg(parent, std::move(context));
}

}  // namespace tavik
