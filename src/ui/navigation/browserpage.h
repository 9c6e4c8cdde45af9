#pragma once

#include "core/navigation/browseraddress.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QTextBrowser;

namespace kazari
{

/// The browser page of the right pane ("ブラウザ"): an address field over a page that
/// shows local pages, text files and folder listings. Links inside the page lead on
/// within the page; web addresses are handed to the desktop's browser.
class BrowserPage : public QWidget
{
    Q_OBJECT

public:
    /// Hands a web address to the desktop's browser; false when nothing was started.
    using WebOpener = std::function<bool(const QString &url)>;

    explicit BrowserPage(WebOpener openWeb, QWidget *parent = nullptr);
    /// What the page shows now.
    const BrowserAddress::Target &current() const { return m_current; }

    /// Shows what an address names (a path, a "file:" URL, "about:blank"), or hands a
    /// web address on. The address field shows where the page is.
    void navigate(const QString &address);

    QString address() const;
    QLineEdit *addressField() const { return m_address; }
    QTextBrowser *view() const { return m_view; }

Q_SIGNALS:
    /// The page shows a new address.
    void addressChanged(const QString &address);

private:
    void display(const BrowserAddress::Target &target);

    WebOpener m_openWeb;
    QLineEdit *m_address = nullptr;
    QTextBrowser *m_view = nullptr;
    BrowserAddress::Target m_current;
    QUrl m_base;
};

} // namespace kazari
