#pragma once

#include "report/building/TrpPreviewButtons.h"
#include "report/building/TrpPreviewZoom.h"
#include "report/common/TrpError.h"
#include "report/expr/TrpParser.h"
#include "report/expr/TrpValueLookup.h"
#include "report/expr/TrpVariables.h"
#include "report/files/TrpTemplate.h"
#include "report/pages/TrpEMFPages.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QIODevice;
class TrpBand;
class TrpBuild;
class TrpDataset;
class TrpDBDataSet;
class TrpEMFPage;
class TrpPage;
class TrpPrinter;
class TrpView;

enum TrpReportType { rtSimple = 0, rtMultiple = 1 };

// A report: its template (pages, objects, named values, variables), the
// pages built from it, and the calls that build, show and print them. The
// printing form answers the report's questions through the events, above
// all OnGetValue, which is asked first for every name being resolved.
//
// Building and printing fail softly: PrepareReport returns false when the
// user cancelled, and a calculation error is kept in ErrorText() (and shown
// in the "Error" box when one is installed, see TrpReportUi).
class TrpReport : public QObject, public TrpValueLookup
{
    Q_OBJECT
public:
    using TBeginDocEvent = std::function<void()>;
    using TEndDocEvent = std::function<void()>;
    using TBeginPageEvent = std::function<void(int pgNo)>;
    using TEndPageEvent = std::function<void(int pgNo)>;
    using TBeginBandEvent = std::function<void(TrpBand &band)>;
    using TEndBandEvent = std::function<void(TrpBand &band)>;
    using TDetailEvent = std::function<void(const QString &ParName, Variant &ParValue)>;
    using TEnterRectEvent = std::function<void(QStringList &Memo, TrpView &View)>;
    using TProgressEvent = std::function<void(int pageNo)>;
    using TFunctionEvent = std::function<void(const QString &name, const Variant &p1, const Variant &p2,
                                              const Variant &p3, Variant &val)>;
    using TBeginColumnEvent = std::function<void(TrpBand &band)>;
    using TPrintColumnEvent = std::function<void(int ColNo, int &Width)>;
    using TManualBuildEvent = std::function<void(TrpPage &page)>;

    // The special names, by their index in the named values' table (1 is none).
    static constexpr int SpecialCount = 9;
    [[nodiscard]] static QString specialName(int index);

    // The print job's name: "Quernlight: " and the title ("Untitled" without one).
    [[nodiscard]] static QString jobName(const QString &title);

    explicit TrpReport(QObject *owner = nullptr);
    ~TrpReport() override;

    QPointer<TrpDataset> Dataset;
    bool GrayedButtons = false;
    TrpPreviewZoom InitialZoom = pzDefault;
    bool ModalPreview = true;
    bool ModifyPrepared = true;
    // A preview panel to show pages in; the installed preview otherwise.
    QPointer<QObject> Preview;
    TrpPreviewButtons PreviewButtons = {pbZoom, pbLoad, pbSave, pbPrint, pbFind, pbHelp, pbExit};
    TrpReportType ReportType = rtSimple;
    bool ShowProgress = true;
    bool StoreInDFM = false;
    QString Title;

    TBeginDocEvent OnBeginDoc;
    TEndDocEvent OnEndDoc;
    TBeginPageEvent OnBeginPage;
    TEndPageEvent OnEndPage;
    TBeginBandEvent OnBeginBand;
    TEndBandEvent OnEndBand;
    TDetailEvent OnGetValue;
    TEnterRectEvent OnEnterRect;
    TProgressEvent OnProgress;
    TFunctionEvent OnUserFunction;
    TBeginColumnEvent OnBeginColumn;
    TPrintColumnEvent OnPrintColumn;
    TManualBuildEvent OnManualBuild;

    QString FileName = QStringLiteral("Untitled");

    // The template and the prepared pages.
    [[nodiscard]] TrpTemplate &Template() { return m_template; }
    [[nodiscard]] TrpPages &Pages() { return m_template.Pages; }
    [[nodiscard]] TrpEMFPages &EMFPages() { return m_emfPages; }
    [[nodiscard]] TrpVariables &Variables() { return m_variables; }

    // The printer pages are laid out against; the process's by default.
    [[nodiscard]] TrpPrinter &printer() const { return *m_printer; }
    void setPrinter(TrpPrinter &printer) { m_printer = &printer; }

    // False with LoadError() when the file cannot be read or breaks its
    // layout; a version the engine does not read changes nothing and shows
    // "Unsupported RPF format".
    [[nodiscard]] bool LoadFromFile(const QString &fileName);
    [[nodiscard]] bool LoadFromStream(QIODevice &device);
    [[nodiscard]] bool SaveToStream(QIODevice &device);
    [[nodiscard]] const TrpError &LoadError() const { return m_loadError; }

    // Builds the prepared pages; false when the user cancelled. A
    // calculation error ends building and is kept in ErrorText().
    bool PrepareReport();
    // PrepareReport and, without an error, the preview; with one the error
    // box and the prepared pages are cleared. False on an error or cancel.
    bool ShowReport();
    void ShowPreparedReport();
    // A rebuild asked for by the preview: as ShowReport without showing.
    bool RebuildReport();
    // Prints the pages named ("1,3-5", "7-", "-2"; empty for all) on the
    // current printer; false when nothing was printed.
    bool PrintPreparedReport(const QString &pages, int copies);
    [[nodiscard]] bool LoadPreparedReport(const QString &fileName);
    [[nodiscard]] bool SavePreparedReport(const QString &fileName);
    [[nodiscard]] bool canRebuild() const { return m_canRebuild; }

    // The first object of any page with that name, without regard to case.
    [[nodiscard]] TrpView *FindObject(const QString &name) const;
    bool ChangePrinter(int oldIndex, int newIndex);

    // The report's lookup of a name: nullopt with LookupError() on failure.
    [[nodiscard]] std::optional<Variant> GetVariableValue(const QString &name);
    [[nodiscard]] const TrpError &LookupError() const { return m_lookupError; }

    [[nodiscard]] bool hasError() const { return m_errorFlag; }
    [[nodiscard]] const QString &ErrorText() const { return m_errorText; }
    // What failed underneath the error text.
    [[nodiscard]] const TrpError &ErrorCause() const { return m_errorCause; }
    [[nodiscard]] bool Terminated() const { return m_terminated; }
    void Terminate() { m_terminated = true; }

    // TrpValueLookup: a memo's bracketed expression.
    [[nodiscard]] std::optional<Variant> lookup(const QString &expression) override;
    [[nodiscard]] TrpError error() const override { return m_lookupError; }

    // For the build: the expression evaluator whose names are this
    // report's, the function dispatch, and the running build.
    [[nodiscard]] TrpParser &parser() { return m_parser; }
    // Asks the function libraries, then OnUserFunction; false with
    // functionError() when a function failed.
    [[nodiscard]] bool dispatchFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                        QString &val);
    void setFunctionError(const TrpError &error);
    [[nodiscard]] const TrpError &functionError() const { return m_functionError; }
    [[nodiscard]] TrpBuild *build() const { return m_build.get(); }
    // A component of the owner form (or "Form.Component" of another) that
    // is a data set.
    [[nodiscard]] TrpDataset *findDataset(const QString &name) const;
    // "DataSet.Field" or a field of the default data set of the band.
    [[nodiscard]] bool findField(const QString &name, TrpDBDataSet *&dataset, QString &field) const;
    // Records a calculation error of the object on the band and stops.
    void setBuildError(const TrpView *view, const TrpBand *band, const TrpError &cause);

private:
    bool loaded(TrpTemplate::LoadStatus status);
    bool prepareProper();
    std::optional<Variant> fieldValue(TrpDBDataSet &dataset, const QString &field);
    std::optional<Variant> namedValue(const QString &name, bool &found);
    std::optional<Variant> specialValue(int index);
    [[nodiscard]] TrpDataset *defaultDataset() const;
    bool showErrorAndClear();

    TrpTemplate m_template;
    TrpEMFPages m_emfPages;
    TrpVariables m_variables;
    TrpPrinter *m_printer;
    TrpParser m_parser;
    std::unique_ptr<TrpBuild> m_build;

    TrpError m_loadError;
    TrpError m_lookupError;
    TrpError m_functionError;
    QString m_resolving;
    bool m_errorFlag = false;
    QString m_errorText;
    TrpError m_errorCause;
    bool m_terminated = false;
    bool m_canRebuild = true;
    int m_totalPages = 0;
};
