// The progress dialog.
#include "app/import_progress_dlg.h"

#include <wx/filename.h>
#include <wx/sizer.h>

namespace tavik {

namespace {
constexpr int kGaugeRange = 1000;
}

ImportProgressDlg::ImportProgressDlg(wxWindow* parent, const wxString& what)
    : wxDialog(parent, wxID_ANY, _(L"사전 가져오기"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, what), wxSizerFlags().Border(wxALL, 10));
    m_gauge = new wxGauge(this, wxID_ANY, kGaugeRange, wxDefaultPosition,
                          wxSize(ConvertDialogToPixels(wxSize(200, 0)).x, -1));
    m_gauge->SetName("progress");
    column->Add(m_gauge, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 10));
    m_detail = new wxStaticText(this, wxID_ANY, _(L"준비하는 중…"));
    m_detail->SetName("progress_detail");
    column->Add(m_detail, wxSizerFlags().Expand().Border(wxALL, 10));
    m_cancel = new wxButton(this, wxID_CANCEL, _(L"취소"));
    column->Add(m_cancel, wxSizerFlags().Right().Border(wxLEFT | wxRIGHT | wxBOTTOM, 10));
    SetSizerAndFit(column);
    CentreOnParent();
    // Escape and the close box come here too: the job is asked to stop and
    // the dialog closes when it has.
    Bind(wxEVT_BUTTON, &ImportProgressDlg::OnCancel, this, wxID_CANCEL);
}

ImportProgressDlg::~ImportProgressDlg() = default;

JobEnd ImportProgressDlg::Run(ImportRunner::Job job,
                              std::function<void(const ImportProgress&)> onWorkerProgress) {
    m_gauge->Pulse();
    // The worker never touches a window: what it says is carried to this
    // thread and shown there.
    auto onProgress = [this, watch = std::move(onWorkerProgress)](const ImportProgress& progress) {
        if (watch) watch(progress);
        CallAfter([this, progress] { ShowProgress(progress); });
    };
    auto onEnd = [this](const JobEnd& end) {
        m_workerEnd = end;
        CallAfter([this, end] { Finish(end); });
    };
    // Started from inside the dialog's own event loop, so that everything
    // the worker says arrives while the dialog shows.
    CallAfter(
        [this, job = std::move(job), onProgress = std::move(onProgress), onEnd = std::move(onEnd)] {
            if (!m_ended) m_runner = std::make_unique<ImportRunner>(job, onProgress, onEnd);
        });
    ShowModal();
    // The worker has ended (or ends now, cancelled): what it said last is
    // how the job ended, whether or not the dialog has shown it.
    m_runner.reset();
    return m_workerEnd;
}

void ImportProgressDlg::ShowProgress(const ImportProgress& progress) {
    if (m_ended) return;
    m_gauge->SetValue(int(progress.Fraction() * kGaugeRange));
    if (progress.phase == ImportProgress::Phase::kReading) {
        wxString read = wxFileName::GetHumanReadableSize(wxULongLong(progress.done));
        if (progress.total > 0)
            read += " / " + wxFileName::GetHumanReadableSize(wxULongLong(progress.total));
        m_detail->SetLabel(wxString::Format(_(L"읽은 양 %s, 표제어 %lld개"), read,
                                            static_cast<long long>(progress.entries)));
    } else {
        m_detail->SetLabel(
            wxString::Format(_(L"사전 파일을 쓰는 중… (%d%%)"), int(progress.Fraction() * 100)));
    }
}

void ImportProgressDlg::Finish(const JobEnd& end) {
    m_ended = true;
    if (end.kind == JobEnd::Kind::kDone) m_gauge->SetValue(kGaugeRange);
    if (IsModal()) EndModal(end.kind == JobEnd::Kind::kDone ? wxID_OK : wxID_CANCEL);
}

void ImportProgressDlg::OnCancel(wxCommandEvent& /*event*/) {
    if (m_ended || !m_runner) {
        m_ended = true;
        if (IsModal()) EndModal(wxID_CANCEL);
        return;
    }
    if (m_runner) m_runner->Cancel();
    m_cancel->Disable();
    m_detail->SetLabel(_(L"취소하는 중…"));
}

}  // namespace tavik
