#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/platform/keyvaluelist.h"
#include "core/platform/textfile.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/fontcolourdialog.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/app/settingsdialog.h"
#include "ui/app/settingshost.h"
#include "ui/itemlist/itemlistview.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

/// The main window as the dialog sees it.
class FakeHost : public SettingsHost
{
public:
    explicit FakeHost(const ProgramFolder &programFolder)
        : m_settings(programFolder)
    {
        for (const QString &name :
             {Component::IconExtensions, Component::SimpleIcons, Component::ResizeIcons,
              QStringLiteral("cmdHintTips"), Component::KeepAtBack}) {
            auto *action = new QAction(name, &m_owner);
            action->setCheckable(true);
            action->setChecked(m_settings.isOn(action->text()));
            m_actions.insert(action->text(), action);
        }
    }

    Settings &settings() override { return m_settings; }
    QAction *command(const QString &name) override { return m_actions.value(name); }
    QString currentFolder() const override { return folder; }
    QString browserAddress() const override { return address; }
    void setBrowserAddress(const QString &a) override { address = a; }
    QColor listColor() const override { return Qt::white; }
    void setListColor(const QColor &) override {}
    QColor listTextColor() const override { return Qt::black; }
    QFont listFont() const override { return QFont(); }
    void setListFont(const QFont &, const QColor &) override {}
    int iconSize() const override { return icon; }
    void setIconSize(int size) override { icon = size; }
    bool windowAtBack() const override { return atBack; }
    void setWindowAtBack(bool on) override { atBack = on; }
    QStringList layoutSummary() const override { return {u"ファイル: 表示"_s}; }
    QList<WatchedFolder> watchedFolders() const override { return watched; }
    void settingsApplied(bool rebuildList) override { applied.append(rebuildList); }

    QAction *action(const QString &name) const { return m_actions.value(name); }

    QString folder = u"/data/here/"_s;
    QString address = u"http://example.org/"_s;
    int icon = 80;
    bool atBack = false;
    QList<WatchedFolder> watched;
    QList<bool> applied;

private:
    Settings m_settings;
    QObject m_owner;
    QHash<QString, QAction *> m_actions;
};

template <typename T> T *child(const QWidget &w, const QString &name)
{
    T *found = w.findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

QPushButton *button(const QWidget &w, const QString &text)
{
    for (QPushButton *b : w.findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    qFatal("no button %s", qPrintable(text));
}

KeyValueList fileList(const QString &path)
{
    return KeyValueList(TextFile::read(path).document.lines);
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { MessageBox::reset(); }
    void cleanup() { MessageBox::reset(); }

    void showingFillsEveryPage();
    void applyWritesSettingsAndMarks_data();
    void applyWritesSettingsAndMarks();
    void closingWritesNothing();
    void coloursAndPicturesAreStoredAtOnce();
    void applicationGridRoundTrip();
    void failedWriteIsReported();
    void listLookThroughTheMainWindow();
};

void TestSettingsDialog::showingFillsEveryPage()
{
    test::TempProgramFolder dir;
    FakeHost host(dir.folder());
    Settings &s = host.settings();
    s.setSwitch(Component::IconExtensions, false);
    s.setValue(Component::SimpleIcons, u"1"_s);
    s.setValue(Component::Contrast, u"2"_s); // not a switch that is on
    s.setValue(u"Seal_N3"_s, u"テスト"_s);
    s.setInteger(u"IconSize"_s, 48);
    s.setSwitch(Component::CentralManagement, true);
    s.setSwitch(Component::PerFolderFiles, false);
    host.action(QStringLiteral("cmdHintTips"))->setChecked(true);
    host.watched = {{u"/w/a"_s, u"実行中"_s}, {QString(), u"停止中"_s}};

    SettingsDialog dialog(host);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), u"設定"_s);

    // Each page, in order, with its description label.
    QStringList descriptions;
    auto *pages = dialog.findChild<QStackedWidget *>();
    QVERIFY(pages);
    for (int i = 0; i < pages->count(); ++i)
        descriptions << child<QLabel>(*pages->widget(i), u"description"_s)->text();
    QCOMPARE(
        descriptions,
        (QStringList{
            u"基本の設定"_s, u"アイコンの設定"_s, u"マスクの設定"_s, u"シールの設定"_s,
            u"ラベルの設定"_s, u"文字の設定"_s, u"コメントとタスクの設定"_s, u"ファイルの設定"_s,
            u"アプリケーションを右クリックメニューから\n簡単につかえるように登録出来ます。"_s,
            u"基本設定のリスト"_s, u"監視するフォルダの一覧"_s}));

    QVERIFY(!child<QCheckBox>(dialog, Component::IconExtensions)->isChecked());
    QVERIFY(child<QCheckBox>(dialog, Component::CaptionExtensions)->isChecked());
    QVERIFY(child<QCheckBox>(dialog, Component::SimpleIcons)->isChecked());
    QVERIFY(!child<QCheckBox>(dialog, Component::Contrast)->isChecked());
    QVERIFY(child<QCheckBox>(dialog, u"tips"_s)->isChecked());
    QCOMPARE(child<QLineEdit>(dialog, u"Seal_N3"_s)->text(), u"テスト"_s);
    QCOMPARE(child<QLineEdit>(dialog, u"1Color_N6"_s)->text(), u"灰"_s);
    QCOMPARE(child<QSpinBox>(dialog, u"IconSize"_s)->value(), 48);
    QCOMPARE(child<QLineEdit>(dialog, u"LastPath"_s)->text(), host.folder);
    QCOMPARE(child<QLineEdit>(dialog, u"WebLastPath"_s)->text(), host.address);
    QVERIFY(child<QRadioButton>(dialog, u"centralMode"_s)->isChecked());
    QVERIFY(child<QPlainTextEdit>(dialog, u"settingsList"_s)
                ->toPlainText()
                .contains(u"Seal_N3=テスト"_s));
    auto *watched = child<QTreeWidget>(dialog, u"watchedFolders"_s);
    QCOMPARE(watched->topLevelItemCount(), 2);
    QCOMPARE(watched->topLevelItem(0)->text(0), u"/w/a"_s);
    QCOMPARE(watched->topLevelItem(1)->text(0), u"削除中"_s);
    QCOMPARE(watched->topLevelItem(1)->text(1), u"停止中"_s);

    // Every show starts again from the current state; unapplied edits are gone.
    child<QCheckBox>(dialog, Component::SimpleIcons)->setChecked(false);
    dialog.hide();
    s.setValue(u"Seal_N3"_s, u"別"_s);
    dialog.show();
    QVERIFY(child<QCheckBox>(dialog, Component::SimpleIcons)->isChecked());
    QCOMPARE(child<QLineEdit>(dialog, u"Seal_N3"_s)->text(), u"別"_s);
}

void TestSettingsDialog::applyWritesSettingsAndMarks_data()
{
    QTest::addColumn<QString>("buttonText");
    QTest::addColumn<bool>("staysVisible");
    QTest::newRow("設定") << u"設定"_s << true;
    QTest::newRow("保存して閉じる") << u"保存して閉じる"_s << false;
}

void TestSettingsDialog::applyWritesSettingsAndMarks()
{
    QFETCH(QString, buttonText);
    QFETCH(bool, staysVisible);
    test::TempProgramFolder dir;
    FakeHost host(dir.folder());
    QSignalSpy triggered104(host.action(Component::SimpleIcons), &QAction::triggered);
    QSignalSpy triggered75(host.action(Component::IconExtensions), &QAction::triggered);

    SettingsDialog dialog(host);
    dialog.show();
    child<QCheckBox>(dialog, Component::SimpleIcons)->setChecked(true);
    child<QCheckBox>(dialog, Component::IconExtensions)->setChecked(false);
    child<QCheckBox>(dialog, u"TitleFullPath"_s)->setChecked(true);
    child<QCheckBox>(dialog, u"windowAtBack"_s)->setChecked(true);
    child<QCheckBox>(dialog, u"tips"_s)->setChecked(true);
    child<QLineEdit>(dialog, u"Seal_N0"_s)->setText(u"新しい名前"_s);
    child<QLineEdit>(dialog, u"WebLastPath"_s)->setText(u"http://example.org/next/"_s);
    child<QSpinBox>(dialog, u"IconSize"_s)->setValue(64);
    QVERIFY(!dir.exists(u"exe.ini"_s));

    QTest::mouseClick(button(dialog, buttonText), Qt::LeftButton);

    QCOMPARE(dialog.isVisible(), staysVisible);
    QVERIFY(dir.exists(u"exe.ini"_s));
    const KeyValueList file = fileList(dir.file(u"exe.ini"_s));
    QCOMPARE(file.lines(), host.settings().lines());
    QCOMPARE(file.value(Component::SimpleIcons), u"1"_s);
    QCOMPARE(file.value(Component::IconExtensions), u"0"_s);
    QCOMPARE(file.value(u"TitleFullPath"_s), u"1"_s);
    QCOMPARE(file.value(Component::KeepAtBack), u"1"_s);
    QCOMPARE(file.value(u"Seal_N0"_s), u"新しい名前"_s);
    QCOMPARE(file.value(u"Seal_N1"_s), u"遊び"_s);
    QCOMPARE(file.value(u"LastPath"_s), host.folder);
    QCOMPARE(file.value(u"WebLastPath"_s), u"http://example.org/next/"_s);
    QCOMPARE(file.value(u"IconSize"_s), u"64"_s);

    QVERIFY(host.action(Component::SimpleIcons)->isChecked());
    QVERIFY(!host.action(Component::IconExtensions)->isChecked());
    QVERIFY(host.action(Component::KeepAtBack)->isChecked());
    // The tip command has a mark and no key.
    QVERIFY(host.action(QStringLiteral("cmdHintTips"))->isChecked());
    QVERIFY(!file.contains(u"cmdHintTips"_s));
    QCOMPARE(triggered104.count(), 0);
    QCOMPARE(triggered75.count(), 0);
    QVERIFY(host.atBack);
    QCOMPARE(host.icon, 64);
    QCOMPARE(host.address, u"http://example.org/next/"_s);
    QCOMPARE(host.applied, QList<bool>{true});
    QVERIFY(MessageBox::log().isEmpty());
}

void TestSettingsDialog::closingWritesNothing()
{
    test::TempProgramFolder dir;
    FakeHost host(dir.folder());
    SettingsDialog dialog(host);
    const QStringList before = host.settings().lines();

    dialog.show();
    child<QCheckBox>(dialog, Component::SimpleIcons)->setChecked(true);
    child<QLineEdit>(dialog, u"Seal_N0"_s)->setText(u"x"_s);
    QTest::mouseClick(button(dialog, u"閉じる"_s), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());

    dialog.show();
    child<QCheckBox>(dialog, Component::SimpleIcons)->setChecked(true);
    dialog.close();
    QVERIFY(!dialog.isVisible());

    QVERIFY(!dir.exists(u"exe.ini"_s));
    QCOMPARE(host.settings().lines(), before);
    QVERIFY(!host.action(Component::SimpleIcons)->isChecked());
    QVERIFY(host.applied.isEmpty());
}

void TestSettingsDialog::coloursAndPicturesAreStoredAtOnce()
{
    test::TempProgramFolder dir;
    FakeHost host(dir.folder());
    QVERIFY(host.settings().save());
    const QString picture = dir.file(u"pictures/seal.bmp"_s);
    QVERIFY(QDir().mkpath(dir.file(u"pictures"_s)));
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture, "BMP"));

    SettingsDialog dialog(host);
    dialog.setColorPicker([](QWidget *, const QColor &) { return QColor(1, 2, 3); });
    dialog.setFilePicker([&](QWidget *, const QString &, const QString &) { return picture; });
    dialog.show();

    QTest::mouseClick(child<QPushButton>(dialog, u"cl_Hidden"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(dialog, u"cl_FusenFormColor5"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(dialog, u"Seal_P2"_s), Qt::LeftButton);
    KeyValueList file = fileList(dir.file(u"exe.ini"_s));
    // 0x00BBGGRR: blue 3, green 2, red 1.
    QCOMPARE(file.value(u"cl_Hidden"_s), u"197121"_s);
    QCOMPARE(file.value(u"cl_FusenFormColor5"_s), u"197121"_s);
    QCOMPARE(file.value(u"Seal_P2"_s), picture);
    QCOMPARE(host.settings().value(u"cl_Hidden"_s), u"197121"_s);
    QVERIFY(host.applied.isEmpty());

    // Label pictures are taken on apply, and only when the file exists.
    child<QLineEdit>(dialog, u"Iu_Label_List16"_s)->setText(dir.file(u"missing.bmp"_s));
    child<QLineEdit>(dialog, u"Iu_Label_List32"_s)->setText(picture);
    QVERIFY(dialog.apply());
    file = fileList(dir.file(u"exe.ini"_s));
    QCOMPARE(file.value(u"Iu_Label_List16"_s), QString());
    QCOMPARE(file.value(u"Iu_Label_List32"_s), picture);
    QCOMPARE(file.value(u"cl_Hidden"_s), u"197121"_s);
}

void TestSettingsDialog::applicationGridRoundTrip()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(
        u"myappli.ini"_s, u"エディタ=/usr/bin/ed\nno equals\nビューア=/usr/bin/view\n"_s.toUtf8()));
    QVERIFY(dir.writeBytes(u"bin/tool"_s, "x"));
    FakeHost host(dir.folder());
    SettingsDialog dialog(host);
    dialog.setFilePicker(
        [&](QWidget *, const QString &, const QString &) { return dir.file(u"bin/tool"_s); });
    dialog.show();

    auto *grid = child<QTableWidget>(dialog, u"applicationGrid"_s);
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), u"エディタ"_s);
    QCOMPARE(grid->item(1, 1)->text(), u"/usr/bin/view"_s);

    QTest::mouseClick(button(dialog, u"追加"_s), Qt::LeftButton);
    QCOMPARE(grid->rowCount(), 3);
    grid->setCurrentCell(0, 0);
    QTest::mouseClick(button(dialog, u"削除"_s), Qt::LeftButton);
    // A row with one empty cell is not written.
    grid->insertRow(grid->rowCount());
    grid->setItem(grid->rowCount() - 1, 0, new QTableWidgetItem(u"半端"_s));
    QTest::mouseClick(button(dialog, u"上書き"_s), Qt::LeftButton);

    QCOMPARE(QString::fromUtf8(dir.readBytes(u"myappli.ini"_s)),
             u"ビューア=/usr/bin/view\nno equals\ntool=%1\n"_s.arg(dir.file(u"bin/tool"_s)));
    QCOMPARE(grid->rowCount(), 2);
    QVERIFY(MessageBox::log().isEmpty());

    // A name that would split the line is refused and nothing is written.
    grid->item(0, 0)->setText(u"a=b"_s);
    MessageBox::answerAllWith(QMessageBox::Yes);
    QTest::mouseClick(button(dialog, u"上書き"_s), Qt::LeftButton);
    QCOMPARE(MessageBox::log().size(), 1);
    QVERIFY(dir.readBytes(u"myappli.ini"_s).startsWith("\xe3\x83\x93")); // still ビューア
}

void TestSettingsDialog::failedWriteIsReported()
{
    test::TempProgramFolder dir;
    QVERIFY(QDir().mkpath(dir.file(u"exe.ini"_s))); // a folder where the file should go
    FakeHost host(dir.folder());
    SettingsDialog dialog(host);
    MessageBox::answerAllWith(QMessageBox::Yes);
    dialog.show();
    child<QCheckBox>(dialog, Component::SimpleIcons)->setChecked(true);
    QVERIFY(!dialog.apply());
    QCOMPARE(MessageBox::log().size(), 1);
    QVERIFY(MessageBox::log().at(0).contains(u"exe.ini"_s));
    // The running window still follows the applied options.
    QVERIFY(host.action(Component::SimpleIcons)->isChecked());
    QCOMPARE(host.applied.size(), 1);
}

void TestSettingsDialog::listLookThroughTheMainWindow()
{
    // The real window as the dialog's host: the colour and font chosen stay through
    // "設定", a second "設定" and the exit.
    test::TempProgramFolder dir;
    QTemporaryDir data;
    {
        Settings initial(dir.folder());
        initial.loadDefaults();
        QVERIFY(initial.save());
    }
    MainWindow::Options o;
    o.programFolder = dir.folder();
    o.arguments = {data.path()};
    auto form = std::make_unique<MainWindow>(o);
    form->FormCreate();
    form->command(u"cmdSettings"_s)->trigger();
    auto *dialog = form->findChild<SettingsDialog *>();
    QVERIFY(dialog);
    dialog->setColorPicker([](QWidget *, const QColor &) { return QColor(Qt::yellow); });
    QFont chosenFont = form->listFont();
    chosenFont.setPointSize(17);
    dialog->setFontPicker([&](QWidget *, const QFont &, const QColor &) {
        return std::optional<std::pair<QFont, QColor>>({chosenFont, QColor(0, 0, 200)});
    });
    QTest::mouseClick(child<QPushButton>(*dialog, u"listColorButton"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(*dialog, u"listFontButton"_s), Qt::LeftButton);
    QVERIFY(dialog->apply());
    auto listBase = [&]() { return form->itemListView()->palette().color(QPalette::Base); };
    QCOMPARE(listBase(), QColor(Qt::yellow));
    QCOMPARE(form->listTextColor(), QColor(0, 0, 200));
    QCOMPARE(form->listFont().pointSize(), 17);
    // Another "設定" without touching the look keeps it.
    QVERIFY(dialog->apply());
    QCOMPARE(listBase(), QColor(Qt::yellow));
    QCOMPARE(form->listFont().pointSize(), 17);
    form->close();
    form.reset();
    KeyValueList file = fileList(dir.file(u"exe.ini"_s));
    // 0x00BBGGRR: yellow is 0x0000FFFF.
    QCOMPARE(file.value(u"ListViewColor"_s), u"65535"_s);
    QCOMPARE(file.value(u"ListViewFontSize"_s), u"17"_s);
    QCOMPARE(file.value(u"ListViewFontColor"_s), QString::number(0xC80000));

    // The font window itself offers the text colour beside the font.
    FontColourDialog fontWindow(chosenFont, Qt::black);
    fontWindow.setColourAsker([](QWidget *, const QColor &) { return QColor(Qt::red); });
    fontWindow.colourButton()->click();
    QCOMPARE(fontWindow.choice().colour, QColor(Qt::red));
    QCOMPARE(fontWindow.choice().font.pointSize(), 17);
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
