#include "ui/navigation/browserpage.h"
#include "core/app/componentnames.h"

#include "ui/app/messagebox.h"

#include <QLineEdit>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kazari
{

BrowserPage::BrowserPage(WebOpener openWeb, QWidget *parent)
    : QWidget(parent)
    , m_openWeb(std::move(openWeb))
{
    setObjectName(Component::BrowserPage);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("BrowserAddress"));
    m_address->setPlaceholderText(BrowserAddress::blank());
    m_view = new QTextBrowser(this);
    m_view->setObjectName(QStringLiteral("BrowserView"));
    // Every link goes through `navigate`, so web addresses leave for the desktop's
    // browser and local ones are shown by the same rules as a typed address.
    m_view->setOpenLinks(false);
    m_view->setOpenExternalLinks(false);
    layout->addWidget(m_address);
    layout->addWidget(m_view, 1);
    connect(m_address, &QLineEdit::returnPressed, this, [this]() { navigate(m_address->text()); });
    connect(m_view, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        const QUrl resolved = url.isRelative() ? m_base.resolved(url) : url;
        navigate(QString::fromUtf8(resolved.toEncoded()));
    });
    display(BrowserAddress::Target());
}

QString BrowserPage::address() const
{
    return m_address->text();
}

void BrowserPage::navigate(const QString &address)
{
    const BrowserAddress::Target target = BrowserAddress::resolve(address);
    if (target.kind == BrowserAddress::Web) {
        if (!m_openWeb || !m_openWeb(target.location))
            MessageBox::information(this, QStringLiteral("コマンドを開始できませんでした"));
        // The page keeps showing what it showed.
        m_address->setText(BrowserAddress::addressOf(m_current));
        return;
    }
    display(target);
}

void BrowserPage::display(const BrowserAddress::Target &target)
{
    const BrowserAddress::Page page = BrowserAddress::page(target);
    m_view->clear();
    switch (page.content) {
    case BrowserAddress::Html:
        m_view->setSource(page.base, QTextDocument::HtmlResource);
        break;
    case BrowserAddress::PlainText:
        m_view->setPlainText(page.text);
        break;
    case BrowserAddress::Generated:
        m_view->setHtml(page.text);
        break;
    }
    // Relative links lead on from the page's own place.
    m_view->document()->setBaseUrl(page.base);
    m_base = page.base;
    m_current = target;
    const QString shown = BrowserAddress::addressOf(target);
    m_address->setText(shown);
    Q_EMIT addressChanged(target.kind == BrowserAddress::Blank ? QString() : shown);
}

} // namespace kazari
