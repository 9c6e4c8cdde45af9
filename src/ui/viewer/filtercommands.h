#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace kazari
{

class MainWindow;
class FilterDialog;

/// The file mask and annotation filter commands: "フィルタの設定" (Shift+F) and its
/// dialog, the tool button "フィルタ", "選択ファイルと同じ拡張子" (Ctrl+K) and
/// "選択ファイルと同じ名前" (Ctrl+N). The tool button shows whether a filter is in force.
class FilterCommands : public QObject
{
    Q_OBJECT

public:
    static FilterCommands *install(MainWindow &form);
    explicit FilterCommands(MainWindow &form);

    FilterDialog *dialog() const { return m_dialog; }

    /// "設定": the mask and annotation filter from the dialog, then a rebuild.
    void applyDialog();
    /// "解除": no mask (kept in search results) and no annotation filter, then a rebuild.
    void clearFilter();

private:
    bool onCommand(const QString &name, QAction *action);
    /// The name of the item the commands act on: the current item when it is selected,
    /// otherwise the first selected item; empty without a selection.
    QString selectedName() const;
    void setMaskAndRebuild(const QString &mask);
    void setButton(bool pressed);
    void rebuild();

    MainWindow &m_form;
    FilterDialog *m_dialog = nullptr;
};

} // namespace kazari
