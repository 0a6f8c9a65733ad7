#pragma once

#include <QList>
#include <QString>
#include <QThreadPool>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/text_pieces.h"
#include "desktop/indexed_text.h"
#include "desktop/text_page_view.h"

class QPushButton;
class QStackedWidget;
class QTabBar;

namespace zandrel {

// One generated file as a preview shows it.
struct PreviewPage {
  std::string Title;     // the tab's caption
  std::string FileName;  // shown as the tab's tool tip; empty when there is no file
  TextPieces Text;
  // A page of a file is coloured as code of its language; one without a file only when this says
  // so (as C++), and is otherwise a note, shown in a quiet colour.
  bool Code = false;
};

// Makes the pages of a preview. It runs on a worker thread, so it holds copies of what it reads,
// or texts that are shared and never change.
using PreviewJob = std::function<std::vector<PreviewPage>()>;

// Read-only, monospaced view of generated files, one tab per file, with a Copy button
// (Ctrl+Shift+C) for the shown one. Both windows show what they would write through it.
//
// The pages come from a source that the preview asks when it is brought up to date: after the
// events already waiting, so that a burst of keystrokes makes one update, and only while it
// shows. The pages are made on a worker thread, so typing never waits for them.
class FilePreview : public QWidget {
  Q_OBJECT

 public:
  explicit FilePreview(QWidget* parent = nullptr);
  ~FilePreview() override;

  // source runs on the GUI thread, reads what it needs from the window and gives the job that
  // makes the pages.
  void SetSource(std::function<PreviewJob()> source);
  // What the source would give has changed.
  void Invalidate();
  // Brings the pages up to date now, on this thread; Copy and the questions below do so first.
  void UpdateNow();
  // Whether an update is waiting or being made.
  bool Pending() const { return stale_ || running_; }
  // While one lives, nothing is made on the worker, as during an action that reads the same
  // input itself: the update waits until the last one goes.
  class Hold {
   public:
    explicit Hold(FilePreview& preview) : preview_(preview) { ++preview_.held_; }
    ~Hold() {
      if (--preview_.held_ == 0) preview_.Invalidate(preview_.stale_);
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    FilePreview& preview_;
  };
  // How many times pages were asked of the source.
  int Generations() const { return generations_; }

  // Shows these pages. With the same titles as before, the chosen tab and each page's scroll
  // position stay where they were; other titles start again on the first tab.
  void SetPages(std::vector<PreviewPage> pages);
  std::vector<std::string> Titles();
  // Chooses a tab of the pages as they are now.
  void ShowPage(int index);
  // The shown page's whole text as generated.
  QString ShownText();
  TextPageView* ShownView() const;
  // The controls Tab walks inside the preview, in order, for the window's tab order.
  QList<QWidget*> FocusOrder() const;

  QPushButton* CopyButton = nullptr;

 signals:
  // New pages are shown.
  void Updated();

 public slots:
  // Puts the shown page's text on the clipboard.
  void CopyShownText();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Made;
  static std::shared_ptr<Made> Make(const PreviewJob& job,
                                    const std::vector<std::shared_ptr<const IndexedText>>& shown,
                                    LineIndexCache* cache);
  void Invalidate(bool stale);
  void ScheduleRefresh();
  void Refresh();
  void Finished(std::uint64_t generation, const std::shared_ptr<Made>& made);
  void Show(const Made& made);
  void MakeViews(std::size_t count);

  QTabBar* tabs_ = nullptr;
  QStackedWidget* pages_ = nullptr;  // one view per tab, by index
  std::vector<TextPageView*> views_;
  std::vector<std::string> titles_;
  std::vector<std::shared_ptr<const IndexedText>> texts_;  // the text of each tab as generated

  std::function<PreviewJob()> source_;
  bool refreshPosted_ = false;
  bool stale_ = false;
  bool running_ = false;
  int held_ = 0;
  std::uint64_t generation_ = 0;  // of the pages last asked for; older results are dropped
  int generations_ = 0;
  std::shared_ptr<LineIndexCache> cache_;
  QThreadPool worker_;
};

}  // namespace zandrel
