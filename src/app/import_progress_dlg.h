// The progress dialog of one dictionary job: the job runs on a worker
// thread while the dialog shows how far it has come (bytes read, entries)
// and offers to cancel it; the window around it keeps drawing.
#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <functional>
#include <memory>

#include "tools/import_runner.h"

namespace tavik {

class ImportProgressDlg : public wxDialog {
public:
    // `what` says what is being done, e.g. which dictionary is imported.
    ImportProgressDlg(wxWindow* parent, const wxString& what);
    ~ImportProgressDlg() override;

    // Runs `job` while the dialog shows; returns when it has ended. Closing
    // the dialog or its cancel button cancels the job, which then ends at
    // its next progress report. `onWorkerProgress`, when set, also hears
    // every report, on the worker.
    JobEnd Run(ImportRunner::Job job,
               std::function<void(const ImportProgress&)> onWorkerProgress = {});

private:
    void ShowProgress(const ImportProgress& progress);
    void Finish(const JobEnd& end);
    void OnCancel(wxCommandEvent& event);

    wxGauge* m_gauge = nullptr;
    wxStaticText* m_detail = nullptr;
    wxButton* m_cancel = nullptr;
    std::unique_ptr<ImportRunner> m_runner;
    // Written by the worker, read once it has been joined; a job that never
    // started counts as cancelled.
    JobEnd m_workerEnd{JobEnd::Kind::kCancelled, {}};
    bool m_ended = false;
};

}  // namespace tavik
