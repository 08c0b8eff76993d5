#pragma once

#include "analysis/BeamData.h"
#include "mainwindow/BeamPainter.h"
#include "platform/Events.h"

#include <QMainWindow>
#include <QPrinter>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCloseEvent;
class QHelpEvent;
class QLabel;
class QMenu;
class QSessionManager;
class QUndoStack;
class QLineEdit;
class TBevel;
class TButton;
class TCheckBox;
class TData;
class TFormatGrid;
class TOpenProgress;
class TPaintBox;
class TPanel;
class TResultsWindow;
struct TReportInfo;
class TRadioGroup;
class TSpeedButton;
class TStatusBar;

// The main window: the input side (beam, one load, the load list) on the
// left, the diagrams on the right, the check position readout below.
class TForm1 : public QMainWindow, public TObject {
public:
  explicit TForm1(QWidget* Parent = nullptr);
  ~TForm1() override;

  // ---- components
  TPanel* Panel1;
  QLabel* Label1;
  TFormatGrid* BaseDataGrid;
  QLabel* Label2;
  TRadioGroup* KajyuType;
  TFormatGrid* KjInpGrid;
  QLabel* Label3;
  QLineEdit* NameEdit;
  TButton* AddBtn;
  // 支点...: shown for a beam with a support list.
  TButton* SupportBtn;
  TButton* RepBtn;
  TSpeedButton* UpButton;
  TSpeedButton* DownButton;
  TButton* DelBtn;
  TBevel* Bevel1;
  TFormatGrid* KajyuGrid;
  TPanel* Panel2;
  TPanel* Panel3;
  TCheckBox* KCheckBox;
  TCheckBox* SCheckBox;
  TCheckBox* MCheckBox;
  // たわみ図: shown only while the document's section gives E and I.
  TCheckBox* DCheckBox;
  TPanel* Panel4;
  TPaintBox* PaintBox1;
  TStatusBar* StatusBar1;
  QMenu* File1;
  QAction* New1;
  QAction* Open1;
  QAction* Save1;
  QAction* SaveAs1;
  QAction* Print1;
  QAction* PrintSetup1;
  QAction* PdfExport1;
  QAction* ImageExport1;
  QAction* CsvExport1;
  QAction* Exit1;
  QMenu* View1;
  QAction* Results1;
  QAction* ShowExtremes1;
  QAction* CopyDiagram1;
  QMenu* Edit1;
  QAction* Undo1;
  QAction* Redo1;
  QAction* Section1;
  QMenu* BeamType1;
  QAction* Supports1;
  QMenu* Help1;
  QAction* Contents1;
  QAction* SearchforHelpOn1;
  QAction* About1;

  // ---- state
  std::unique_ptr<TData> FData;
  QString FFileName;
  double FScale = 0;
  int FOriginX = 0;
  // Where the mouse readout was last read, while it shows values.
  std::optional<double> FReadoutX;
  int FOriginY = 0;
  // How long an open may take before it shows its progress, in ms.
  int FOpenProgressDelay = 500;
  // Made when first shown; a child window of the form.
  TResultsWindow* FResultsWindow = nullptr;
  // Paper and orientation chosen in the page set-up hold for the run.
  std::unique_ptr<QPrinter> FPrinter;
  // The document edits since New or Open, for undo and redo; clean at the
  // state last saved.
  QUndoStack* FUndo = nullptr;

  // ---- operations
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void SetupGrids();
  // Captions, editor cell and unit of row R of the load input grid.
  void SetupInputRow(int R);
  void DataChanged(TObject* Sender);
  void RefreshLoadList();
  void SetFileName(const QString& Name);
  // "Vantrel - [name]", with "*" after the name while there are unsaved
  // changes.
  void ShowTitle();
  void ResetDocument();
  // The layers of the diagram area as the check boxes and the menu say.
  TDiagramLayers DiagramLayers() const;
  // The results window, when it is open, shows the document as it is now.
  void UpdateResultsWindow();

  // ---- document commands
  // Asks about unsaved changes; true when the document may be dropped.
  bool QuerySave();
  // What an opened file holds that the program did not read: bytes after a
  // load count of none, or a section it could not read (Note says why).
  struct TUnreadData {
    std::int64_t Bytes = 0;
    std::string Note;
  };
  // Remembers that FileName holds data the program did not read and says
  // so in the status bar (the section's note, when it has one); nothing
  // for an empty name or nothing unread.
  void ShowUnreadData(const QString& FileName, const TUnreadData& Unread);
  // Asks before a save overwrites the file that holds data the program
  // did not read, once; true when FileName may be written.
  bool ConfirmOverwrite(const QString& FileName);
  bool SaveDocument();
  bool SaveDocumentAs();
  // A save that took place but is not known to be on disk says so.
  void ShowSaveNote(const std::string& Note);
  // Open after the question and the dialog: reads FileName into the
  // document, or leaves the untitled empty document and rethrows. The
  // whole open shows its progress when it takes a while (see
  // TOpenProgress); a cancel leaves the document, its undo history, its
  // name and the window as they were.
  void OpenFile(const QString& FileName);
  // Makes the beam one of Preset on Supports as one undo step; a list the
  // span cannot take is refused in an error box with its reason, the
  // toggle set back.
  void ChangeSupports(std::int32_t Preset, TSupports Supports);

  // ---- event handlers
  void BaseDataGridSetEditText(TObject* Sender, int ACol, int ARow, const QString& Value);
  void BaseDataGridToggleChange(TObject* Sender, int ACol, int ARow, int SelectNum);
  void KajyuTypeClick(TObject* Sender);
  void NameEditInputRejected(TObject* Sender);
  void FormKeyPress(TObject* Sender, QChar& Key);
  void PaintBox1Paint(TObject* Sender);
  void PaintBox1MouseMove(TObject* Sender, unsigned Shift, int X, int Y);
  void StatusBar1Click(TObject* Sender);
  void Section1Click(TObject* Sender);
  void Supports1Click(TObject* Sender);
  void SCheckBoxClick(TObject* Sender);
  void AddBtnClick(TObject* Sender);
  void KajyuGridButtonClick(TObject* Sender, int ACol, int ARow);
  void DelBtnClick(TObject* Sender);
  void UpButtonClick(TObject* Sender);
  void KajyuGridSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void KajyuGridExit(TObject* Sender);
  void New1Click(TObject* Sender);
  void Open1Click(TObject* Sender);
  void Save1Click(TObject* Sender);
  void SaveAs1Click(TObject* Sender);
  void Exit1Click(TObject* Sender);
  void Contents1Click(TObject* Sender);
  void SearchforHelpOn1Click(TObject* Sender);
  void About1Click(TObject* Sender);
  void Print1Click(TObject* Sender);
  void PrintSetup1Click(TObject* Sender);
  void PdfExport1Click(TObject* Sender);
  void ImageExport1Click(TObject* Sender);
  void CsvExport1Click(TObject* Sender);
  void Results1Click(TObject* Sender);
  void ShowExtremes1Click(TObject* Sender);
  void CopyDiagram1Click(TObject* Sender);
  void Undo1Click(TObject* Sender);
  void Redo1Click(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  // The question about unsaved changes when the session ends; true when
  // the session may end.
  bool SessionEndQuery();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

private:
  void CreateComponents();
  // The narrowest client area that shows every status panel and check box.
  int MinimumClientWidth() const;
  // The parts of the window, created in this order by CreateComponents.
  void CreateInputArea();
  void CreateLoadList();
  void CreateDiagramArea();
  void CreateStatusBar();
  void SetTabOrder();
  void ConnectEvents();
  void LayoutComponents();
  void CreateMenu();
  // The copy of the diagram area: Ctrl+C on the focused area, context menu.
  void SetupDiagramCopy();
  QPrinter& Printer();
  // What the printed sheet says besides the document, its header as the
  // user filled it in last.
  TReportInfo ReportInfo() const;
  // The report dialog on the header of Info, which is kept for the next
  // report when accepted; false when cancelled.
  bool AskReportHeader(TReportInfo& Info);
  // The edit menu after the file menu, and the usual shortcuts.
  void CreateEditMenu();
  void AssignShortcuts();
  // The window brought in line with the document after an undo or redo.
  void ShowDocument();
  // The beam type toggle and the span cell from the document.
  void ShowBaseData();
  // 支点... offered for a beam with a support list alone.
  void ShowSupportControls();
  // Widens the beam type cell, at the labels' expense, to a long name.
  void FitBeamTypeCell();
  // 梁の種類: the presets, the keyboard's way to the beam type.
  void CreateBeamTypeMenu();
  // Empties the value panels of the check position readout.
  void ClearReadout();
  // The readout at X (clamped to the beam) for the document as it is now:
  // X, S, M, the side of a jump at X, θ and δ; emptied when there is
  // nothing to read.
  void ShowReadout(double X);
  // "左側" or "右側": the side of the jump in S or M (at a support or a point
  // action) that the values read at X show, when the shown X is its
  // position; else empty.
  QString JumpSide(double X) const;
  // The たわみ図 box and the readout's θ and δ panels, there while the
  // document has a bending line and gone otherwise (a document without a
  // section shows the window as it always was).
  void ShowBendingControls();
  // Moves the window left as far as it must to stay on its screen after it
  // grew.
  void KeepOnScreen();
  // The status panels that show the readout's values.
  std::vector<int> ReadoutValuePanels() const;
  // θ and δ at X into their panels, when they are there.
  void ShowBendingReadout(double X);
  // Marks list row Row when its load lies outside the span.
  void MarkLoadRow(int Row);
  void MarkLoadRows();
  // Says in the status bar whether load Index lies outside the span.
  void ReportOutOfSpan(int Index);
  // Says in the status bar when a text the user typed for a number was
  // none and counts as 0; takes the saying back once the texts read.
  void ReportUnreadable(const QStringList& Typed);
  // The tool tip of a marked list row.
  bool ListToolTip(QHelpEvent* Event);
  // The row-number button and the read-only cells of list row R.
  void SetupListRow(int R);
  // The list's columns at their design widths, 備考 filling the rest.
  void ResetListColumns();
  // 備考 takes the list's width that the other columns leave, never less
  // than its caption needs.
  void FitRemarkColumn();
  // Writes Text into list cell (C, Row), widening column C to hold it.
  void ShowInListColumn(int C, int Row, const QString& Text);
  // Grows or shrinks the list to a row for every load, 30 at the least.
  void FitLoadRows();
  // Grows or shrinks the list to Rows rows, the caption row included.
  void ResizeLoadList(int Rows);
  // The window's side of a document that starts afresh under FileName:
  // the caption, the list's columns, no undo history, the first load kind.
  void StartAfresh(const QString& FileName);
  // The open's phases on a worker thread: reads FileName, takes the loads
  // over into Next and calculates it. Returns what the file holds that was
  // not read (TDataFileContents::UncountedBytes and SectionNote).
  TUnreadData PrepareDocument(TOpenProgress& Progress, const QString& FileName, TData& Next);
  // The open's last phase: grows the list in slices to the rows of Loads.
  void GrowLoadList(TOpenProgress& Progress, int Loads);
  // Fills list row Row with load Row - 1, or empties it past the last load.
  void ShowLoadInRow(int Row);
  // Fills the list rows on screen that are not filled yet.
  void ShowListRowsOnScreen();
  // Forgets the load picked for replacing or deleting and the arrows'
  // enabling, when the loads they refer to are replaced.
  void ForgetPick();
  void CommitDataRequest(QSessionManager& Manager);
  // Moves the focus to the control after From in tab order.
  void FocusNextControl(QWidget* From);
  // Enter and Tab in the load entry: the value typed is kept and the entry
  // goes on to the next value (Shift+Tab: the one before) in its editor;
  // false past the first or the last value, where the focus leaves it.
  bool StepLoadValue(bool Forward);
  // The load entry reached by Tab starts at X, by Shift+Tab at its last
  // value, whichever value was current when it was left.
  void EnterLoadValues(Qt::FocusReason Reason);
  // Whether Widget is the load entry or its editor.
  bool InLoadValues(const QWidget* Widget) const;
  // The list focused on Row, with the arrows enabled for it.
  void FocusListRow(int Row);
  QWidget* FClient = nullptr;
  // The user answered the question of an ending session with yes or no.
  bool FSessionAnswered = false;
  // The width typed before the width row was hidden for a point action.
  QString FHiddenWidth;
  // The file opened last when it holds data the program did not read;
  // empty once the user agreed to overwrite it, or for other documents.
  QString FUnreadFile;
  // The remark of the picked load as stored and as shown in NameEdit:
  // while the box shows that text, adding or replacing stores these bytes
  // as they are, so that a remark is never changed by only passing through
  // the box (bytes that are no code page 932 text, or codes with a twin).
  std::string FShownRemarkBytes;
  QString FShownRemark;
  // Per list row: not set up yet, set up but not filled with its load's
  // values since they last changed, or filled.
  enum TListRowState : std::uint8_t { lrNew, lrStale, lrShown };
  std::vector<TListRowState> FListRows;
};
