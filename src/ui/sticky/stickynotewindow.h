#pragma once

#include "core/annotations/fileannotationrec.h"
#include "core/viewer/stickynotecontent.h"

#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QMenu;
class QProgressBar;

namespace kazari
{

/// The sticky note: one small always-on-top window that shows an item's comment, or its
/// comment and task, beside the mouse.
///
/// `showFor` places the note beside the mouse (unless it is pinned), fills it and shows
/// it; `hideNote` hides it and keeps the pin. Dragging the note with the left button
/// pins it where it is dropped; "閉じる" hides it and drops the pin.
class StickyNoteWindow : public QWidget
{
    Q_OBJECT

public:
    using Variant = StickyNoteContent::Variant;

    explicit StickyNoteWindow(QWidget *parent = nullptr);

    /// The note colours of the importances 0 to 4 and of other values
    /// (`cl_FusenFormColor0` to `cl_FusenFormColor5`).
    void setColours(const std::array<QColor, 6> &colours) { m_colours = colours; }
    /// The time the task's remaining time is measured at (the system clock by default).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    /// Places the note for the mouse at `mouse` (screen coordinates) unless it is
    /// pinned, fills it for the item and shows it.
    void showFor(Variant variant, const QString &caption, const FileAnnotationRec &annotation,
                 QPoint mouse);
    /// Fills the note in place without showing or moving it.
    void fill(Variant variant, const QString &caption, const FileAnnotationRec &annotation);
    /// Hides the note; the pin stays.
    void hideNote();
    /// "閉じる": hides the note and drops the pin.
    void closeNote();

    bool isPinned() const { return m_pinned; }
    void setPinned(bool pinned);

    const StickyNoteContent::Content &content() const { return m_content; }
    /// The line labels by name ("fileName", "comment", "importance", ...).
    QLabel *line(const QString &name) const { return m_lines.value(name); }
    QProgressBar *achievementBar() const { return m_achievement; }
    QProgressBar *remainingBar() const { return m_remaining; }
    QMenu *popupMenu() const { return m_menu; }
    /// The note's background colour now.
    QColor noteColour() const;

Q_SIGNALS:
    /// "タスク完了", "タスク継続" or "タスク削除": show the selected item again.
    void refreshRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *addLine(const QString &name, int x, int y, int width);
    QColor colourOf(const StickyNoteContent::Content &c) const;
    void apply();

    std::array<QColor, 6> m_colours;
    std::function<QDateTime()> m_now;
    StickyNoteContent::Content m_content;
    QHash<QString, QLabel *> m_lines;
    QLabel *m_completion = nullptr;
    QProgressBar *m_achievement = nullptr;
    QProgressBar *m_remaining = nullptr;
    QList<QWidget *> m_taskOnly;
    QMenu *m_menu = nullptr;
    QAction *m_pinAction = nullptr;
    bool m_pinned = false;
    bool m_dragging = false;
    bool m_moved = false;
    QPoint m_grab;
};

} // namespace kazari
