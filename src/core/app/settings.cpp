#include "core/app/settings.h"

#include "core/app/colorvalue.h"
#include "core/app/defaultsettings.h"

#include <QFileInfo>

namespace kazari
{

Settings::Settings(ProgramFolder folder)
    : m_folder(std::move(folder))
{
    loadDefaults();
}

bool Settings::fileExists() const
{
    return m_folder.isValid() && QFileInfo(filePath()).isFile();
}

void Settings::loadDefaults()
{
    m_list.setLines(DefaultSettings::lines());
    m_format = TextFormat();
    m_undecodable.clear();
    m_loadedFromFile = false;
}

bool Settings::load(QString *error)
{
    if (!m_folder.isValid()) {
        loadDefaults();
        return false;
    }
    TextFile::ReadResult r = TextFile::read(filePath());
    if (!r.found) {
        if (error)
            *error = r.error;
        loadDefaults();
        m_readFailed = !r.error.isEmpty();
        return false;
    }
    m_readFailed = false;
    m_list.setLines(std::move(r.document.lines));
    m_format = r.document.format;
    m_undecodable = std::move(r.document.undecodable);
    m_loadedFromFile = true;
    return true;
}

std::optional<int> Settings::parseInteger(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= n)
        return std::nullopt;
    qint64 v = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
        if (v > qint64(INT32_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return int(v);
}

bool Settings::isOn(const QString &key) const
{
    const std::optional<int> v = integer(key);
    return v && *v == 1;
}

std::optional<int> Settings::integer(const QString &key) const
{
    const qsizetype i = m_list.indexOf(key);
    if (i < 0)
        return std::nullopt;
    return parseInteger(KeyValueList::valueOf(m_list.lines().at(i)));
}

int Settings::integer(const QString &key, int fallback) const
{
    return integer(key).value_or(fallback);
}

std::optional<qint32> Settings::color(const QString &key) const
{
    const qsizetype i = m_list.indexOf(key);
    if (i < 0)
        return std::nullopt;
    return ColorValue::parse(KeyValueList::valueOf(m_list.lines().at(i)));
}

QString Settings::liveValue(const QString &key, const QString &value) const
{
    const bool live = key.compare(QLatin1String("LastPath"), Qt::CaseInsensitive) == 0 ||
                      key.compare(QLatin1String("WebLastPath"), Qt::CaseInsensitive) == 0;
    if (live && m_liveValue)
        return m_liveValue(key);
    return value;
}

QString Settings::storeSetting(const QString &key, const QString &value, bool writeFile,
                               QString *error)
{
    m_list.setValue(key, value);
    if (!fileExists())
        return QStringLiteral("-1");

    TextFile::ReadResult r = TextFile::read(filePath());
    if (!r.found) {
        if (error)
            *error = r.error;
        return QStringLiteral("-1");
    }
    KeyValueList file(r.document.lines);
    if (writeFile) {
        file.setValue(key, liveValue(key, value));
        r.document.lines = file.lines();
        QString writeError;
        if (!TextFile::write(filePath(), r.document, &writeError) && error)
            *error = writeError;
    }
    const qsizetype i = file.indexOf(key);
    return i < 0 ? QStringLiteral("-1") : KeyValueList::valueOf(file.lines().at(i));
}

bool Settings::save(QString *error)
{
    if (!m_folder.isValid()) {
        if (error)
            *error = QStringLiteral("プログラムフォルダがありません");
        return false;
    }
    // The list holds the built-in defaults when the file could not be read: writing it
    // would replace every setting the user has.
    if (m_readFailed && QFileInfo(filePath()).exists()) {
        if (error)
            *error = unreadFileText();
        return false;
    }
    TextDocument doc;
    doc.lines = m_list.lines();
    doc.format = m_format;
    doc.undecodable = m_undecodable;
    if (!TextFile::write(filePath(), doc, error))
        return false;
    m_loadedFromFile = true;
    m_readFailed = false;
    return true;
}

QString Settings::readFromFile(const QString &key) const
{
    if (!fileExists())
        return QString();
    const TextFile::ReadResult r = TextFile::read(filePath());
    if (!r.found)
        return QString();
    return KeyValueList(r.document.lines).value(key);
}

} // namespace kazari
