#include "core/platform/desktopentry.h"

#include "core/platform/textfile.h"

#include <QDir>
#include <QLocale>

namespace kazari
{

namespace
{

// The general escapes of desktop entry values.
QString unescape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case '\\':
            out += QLatin1Char('\\');
            break;
        default:
            // Other escapes belong to the value's own syntax (";" in lists, quoting in
            // Exec) and are kept for it.
            out += QLatin1Char('\\');
            out += next;
        }
    }
    return out;
}

// A list value: items ended by ";", "\;" standing for a ";" inside an item.
QStringList splitList(const QString &value)
{
    QStringList out;
    QString item;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size() && value.at(i + 1) == QLatin1Char(';')) {
            item += QLatin1Char(';');
            ++i;
        } else if (c == QLatin1Char(';')) {
            if (!item.trimmed().isEmpty())
                out.append(item.trimmed());
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.trimmed().isEmpty())
        out.append(item.trimmed());
    return out;
}

bool isTrue(const QString &value)
{
    return value.trimmed() == QLatin1String("true");
}

// The locale keys to try, most specific first: "ja_JP@mod", "ja_JP", "ja@mod", "ja".
QStringList localeKeys(QString locale)
{
    if (locale.isEmpty())
        locale = QLocale::system().name();
    QString modifier;
    const qsizetype at = locale.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        modifier = locale.mid(at);
        locale.truncate(at);
    }
    const qsizetype dot = locale.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        locale.truncate(dot);
    const QString lang = locale.section(QLatin1Char('_'), 0, 0);
    QStringList keys;
    auto add = [&keys](const QString &k) {
        if (!k.isEmpty() && !keys.contains(k))
            keys.append(k);
    };
    if (!modifier.isEmpty())
        add(locale + modifier);
    add(locale);
    if (!modifier.isEmpty())
        add(lang + modifier);
    add(lang);
    return keys;
}

bool isFileCode(QChar c)
{
    return QStringLiteral("fFuUick").contains(c);
}

bool isDeprecatedCode(QChar c)
{
    return QStringLiteral("dDnNvm").contains(c);
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::parse(const QString &text, const QString &locale)
{
    const QStringList keys = localeKeys(locale);
    bool inGroup = false;
    bool seenGroup = false;
    DesktopEntry e;
    // The index of the locale key the name came from; the plain name ranks last.
    qsizetype nameRank = -1;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        QString line = raw;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('['))) {
            // The first group must be the entry; later groups are actions and the like.
            inGroup = !seenGroup && trimmed == QLatin1String("[Desktop Entry]");
            seenGroup = true;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = unescape(line.mid(eq + 1).trimmed());
        if (key == QLatin1String("Name")) {
            if (nameRank < 0) {
                e.name = value;
                nameRank = keys.size();
            }
        } else if (key.startsWith(QLatin1String("Name[")) && key.endsWith(QLatin1Char(']'))) {
            const qsizetype rank = keys.indexOf(key.mid(5, key.size() - 6));
            if (rank >= 0 && (nameRank < 0 || rank < nameRank)) {
                e.name = value;
                nameRank = rank;
            }
        } else if (key == QLatin1String("Type")) {
            e.type = value;
        } else if (key == QLatin1String("Icon")) {
            e.icon = value;
        } else if (key == QLatin1String("Exec")) {
            e.exec = value;
        } else if (key == QLatin1String("TryExec")) {
            e.tryExec = value;
        } else if (key == QLatin1String("URL")) {
            e.url = value;
        } else if (key == QLatin1String("MimeType")) {
            e.mimeTypes = splitList(value);
        } else if (key == QLatin1String("NoDisplay")) {
            e.noDisplay = isTrue(value);
        } else if (key == QLatin1String("Hidden")) {
            e.hidden = isTrue(value);
        } else if (key == QLatin1String("Terminal")) {
            e.terminal = isTrue(value);
        }
    }
    if (!seenGroup || e.type.isEmpty())
        return std::nullopt;
    return e;
}

std::optional<DesktopEntry> DesktopEntry::load(const QString &file, const QString &locale)
{
    const TextFile::ReadResult r = TextFile::read(file);
    if (!r.found)
        return std::nullopt;
    std::optional<DesktopEntry> e = parse(r.document.lines.join(QLatin1Char('\n')), locale);
    if (e)
        e->file = file;
    return e;
}

QString DesktopEntry::linkTarget() const
{
    if (!isLink() || url.isEmpty())
        return QString();
    if (url.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(url);
    const QUrl u(url);
    if (u.isLocalFile() && QDir::isAbsolutePath(u.toLocalFile()))
        return QDir::cleanPath(u.toLocalFile());
    return QString();
}

std::optional<QStringList> DesktopEntry::splitExec(const QString &exec)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size() &&
                       QStringLiteral("\"`$\\").contains(exec.at(i + 1))) {
                word += exec.at(++i);
            } else if (c == QLatin1Char('%')) {
                // A field code here would be pasted into a text, not given as an argument.
                if (i + 1 < exec.size() &&
                    (isFileCode(exec.at(i + 1)) || isDeprecatedCode(exec.at(i + 1))))
                    return std::nullopt;
                word += QStringLiteral("%%");
                if (i + 1 < exec.size() && exec.at(i + 1) == QLatin1Char('%'))
                    ++i;
            } else {
                word += c;
            }
            continue;
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == QLatin1Char('"'))
            quoted = true;
        else if (c == QLatin1Char('\\') && i + 1 < exec.size())
            word += exec.at(++i);
        else
            word += c;
    }
    if (quoted)
        return std::nullopt;
    if (inWord)
        words.append(word);
    return words;
}

QList<DesktopEntry::Command> DesktopEntry::commands(const QList<QUrl> &targets) const
{
    return commandsFor(exec, targets, name, icon, file);
}

QList<DesktopEntry::Command> DesktopEntry::commandsFor(const QString &exec,
                                                       const QList<QUrl> &targets,
                                                       const QString &name, const QString &icon,
                                                       const QString &file)
{
    const std::optional<QStringList> split = splitExec(exec);
    if (!split || split->isEmpty())
        return {};
    const QStringList &words = *split;
    // The program itself never comes from a field code: a file is never run as one.
    if (words.first().contains(QLatin1Char('%')) || words.first().isEmpty())
        return {};

    // Which file code the entry uses decides how often the program starts.
    QChar code;
    for (const QString &w : words) {
        for (qsizetype i = 0; i + 1 < w.size(); ++i) {
            if (w.at(i) != QLatin1Char('%'))
                continue;
            const QChar c = w.at(++i);
            if (QStringLiteral("fFuU").contains(c)) {
                if (!code.isNull() && code != c)
                    return {};
                code = c;
            }
        }
    }
    const bool takesUrls = code == QLatin1Char('u') || code == QLatin1Char('U') || code.isNull();
    QStringList args;
    for (const QUrl &t : targets) {
        if (t.isLocalFile())
            args.append(t.toLocalFile());
        else if (takesUrls && t.isValid() && !t.isRelative())
            args.append(t.toString());
    }
    if (!targets.isEmpty() && args.isEmpty())
        return {};

    // One word with the single-target codes filled in by `target`.
    auto fill = [&](const QString &w, const QString &target, bool *ok) {
        QString out;
        for (qsizetype i = 0; i < w.size(); ++i) {
            const QChar c = w.at(i);
            if (c != QLatin1Char('%')) {
                out += c;
                continue;
            }
            if (i + 1 >= w.size()) {
                *ok = false;
                return out;
            }
            const QChar k = w.at(++i);
            if (k == QLatin1Char('%'))
                out += QLatin1Char('%');
            else if (k == QLatin1Char('f') || k == QLatin1Char('u'))
                out += target;
            else if (k == QLatin1Char('c'))
                out += name;
            else if (k == QLatin1Char('k'))
                out += file;
            else if (!isDeprecatedCode(k))
                *ok = false; // "%F" inside a word, "%i" inside a word, unknown codes
        }
        return out;
    };

    auto build = [&](const QString &target) -> std::optional<Command> {
        Command cmd;
        cmd.program = words.first();
        for (qsizetype n = 1; n < words.size(); ++n) {
            const QString &w = words.at(n);
            if (w == QLatin1String("%F") || w == QLatin1String("%U")) {
                cmd.arguments += args;
                continue;
            }
            if (w == QLatin1String("%i")) {
                if (!icon.isEmpty())
                    cmd.arguments << QStringLiteral("--icon") << icon;
                continue;
            }
            if ((w == QLatin1String("%f") || w == QLatin1String("%u")) && target.isNull())
                continue;
            bool ok = true;
            const QString filled = fill(w, target, &ok);
            if (!ok)
                return std::nullopt;
            // A word made only of codes that stand for nothing is left out.
            if (filled.isEmpty() && w.contains(QLatin1Char('%')))
                continue;
            cmd.arguments.append(filled);
        }
        if (code.isNull())
            cmd.arguments += args;
        return cmd;
    };

    QList<Command> out;
    if (code == QLatin1Char('f') || code == QLatin1Char('u')) {
        if (args.isEmpty()) {
            if (const auto c = build(QString()))
                out.append(*c);
        }
        for (const QString &a : std::as_const(args)) {
            const auto c = build(a);
            if (!c)
                return {};
            out.append(*c);
        }
    } else if (const auto c = build(QString())) {
        out.append(*c);
    }
    return out;
}

} // namespace kazari
