#include "core/annotations/indexmaintenance.h"

#include "core/annotations/annotationindex.h"
#include "core/platform/pathpresence.h"
#include "core/platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

namespace
{

bool pathExists(const QString &path)
{
    struct stat st {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

struct Move {
    QString from;
    QString temp;
    QString to;
    bool announce = false; // the numbered annotation file: shown in the status texts
    int oldNumber = 0;
    int newNumber = 0;
};

struct Drop {
    QString from;
    QString temp;
};

struct Done {
    QString from;
    QString to;
};

// A name beside `path` that nothing uses yet: "_<tag><ext>", then "_<tag>_2<ext>", ...
QString freeName(const QString &dir, const QString &tag, const QString &ext, QSet<QString> &planned)
{
    for (int k = 1;; ++k) {
        const QString name = dir + QStringLiteral("/_") + tag +
                             (k == 1 ? QString() : QLatin1Char('_') + QString::number(k)) + ext;
        if (!planned.contains(name) && !pathExists(name)) {
            planned.insert(name);
            return name;
        }
    }
}

} // namespace

IndexMaintenance::IndexMaintenance(ProgramFolder folder)
    : m_folder(std::move(folder))
{
}

QString IndexMaintenance::doneText(int unreachable)
{
    QString text = QStringLiteral("管理情報の整備が完了しました");
    if (unreachable > 0)
        text += QStringLiteral("（確認できないフォルダ %1 件の情報は残しました）").arg(unreachable);
    return text;
}

bool IndexMaintenance::renameNoReplace(const QString &from, const QString &to, QString *error)
{
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return true;
    int err = errno;
    if (err == EINVAL || err == ENOSYS || err == ENOTSUP) {
        // The file system cannot rename without replacing: a hard link fails on an
        // existing target just the same.
        if (::link(f.constData(), t.constData()) == 0) {
            if (::unlink(f.constData()) == 0)
                return true;
            err = errno;
            ::unlink(t.constData());
        } else {
            err = errno;
        }
    }
    if (error)
        *error = QStringLiteral("%1 → %2: %3").arg(from, to, errnoText(err));
    return false;
}

IndexMaintenance::Result IndexMaintenance::run(const std::function<void(const QString &)> &status)
{
    auto say = [&status](const QString &text) {
        if (status)
            status(text);
    };
    Result result;
    const QString indexPath = m_folder.file(AnnotationIndex::relativePath());
    TextFile::ReadResult read = TextFile::read(indexPath);
    if (!read.found) {
        result.noIndex = read.error.isEmpty();
        result.error = read.error.isEmpty()
                           ? QStringLiteral("索引ファイルがありません: %1").arg(indexPath)
                           : read.error;
        return result;
    }
    const TextDocument oldDocument = read.document;
    const AnnotationIndex index = AnnotationIndex::fromDocument(read.document);
    const QStringList &lines = oldDocument.lines;

    QList<Move> moves;
    QList<Drop> drops;
    QStringList deleteTexts;
    QStringList newLines;
    QSet<QString> planned;
    int position = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!line.contains(QLatin1Char('='))) {
            newLines.append(line); // not an entry: kept as it stands
            continue;
        }
        const QString key = KeyValueList::keyOf(line);
        std::optional<int> number = AnnotationIndex::parseNumber(KeyValueList::valueOf(line));
        if (number && index.ownerOf(*number) != i)
            number.reset(); // a duplicate number: the files belong to its first line
        const PathPresence::State presence = AnnotationIndex::isNativeKey(key)
                                                 ? PathPresence::of(key)
                                                 : PathPresence::State::Present;
        if (presence == PathPresence::State::Unreachable)
            ++result.unreachable;
        const bool vanished = presence == PathPresence::State::Gone;
        if (vanished) {
            ++result.dropped;
            if (!number)
                continue;
            const QString stem = QString::number(*number);
            for (CompanionKind kind : CompanionKinds) {
                const QString from =
                    m_folder.file(AnnotationIndex::companionRelativePath(kind, stem));
                if (!pathExists(from))
                    continue;
                const QFileInfo info(from);
                drops.append({from, freeName(info.path(), QStringLiteral("drop") + stem,
                                             QLatin1Char('.') + info.suffix(), planned)});
                if (kind == CompanionKind::Annotations)
                    deleteTexts.append(QStringLiteral("Delete ") + key + QStringLiteral(".ini"));
            }
            continue;
        }
        const int newNumber = position++;
        ++result.kept;
        newLines.append(key + QLatin1Char('=') + QString::number(newNumber));
        // value_or keeps GCC's optimiser from warning about a maybe-unset optional.
        const int oldNumber = number.value_or(-1);
        if (!number.has_value() || oldNumber == newNumber)
            continue;
        const QString oldStem = QString::number(oldNumber);
        const QString newStem = QString::number(newNumber);
        for (CompanionKind kind : CompanionKinds) {
            const QString from =
                m_folder.file(AnnotationIndex::companionRelativePath(kind, oldStem));
            if (!pathExists(from))
                continue;
            const QFileInfo info(from);
            Move m;
            m.from = from;
            m.temp = freeName(info.path(), newStem, QLatin1Char('.') + info.suffix(), planned);
            m.to = m_folder.file(AnnotationIndex::companionRelativePath(kind, newStem));
            m.announce = kind == CompanionKind::Annotations;
            m.oldNumber = *number;
            m.newNumber = newNumber;
            moves.append(m);
        }
    }

    // A target that exists and is not moving away would have to be replaced: refuse
    // before touching anything.
    QSet<QString> leaving;
    for (const Move &m : moves)
        leaving.insert(m.from);
    for (const Drop &d : drops)
        leaving.insert(d.from);
    for (const Move &m : moves) {
        if (pathExists(m.to) && !leaving.contains(m.to)) {
            result.error =
                QStringLiteral("管理情報を整備できません。ファイルが既にあります: %1").arg(m.to);
            say(result.error);
            return result;
        }
    }

    QList<Done> done;
    auto rollback = [&done]() {
        QStringList failed;
        for (qsizetype i = done.size() - 1; i >= 0; --i) {
            QString err;
            if (!renameNoReplace(done.at(i).to, done.at(i).from, &err))
                failed.append(err);
        }
        return failed;
    };
    auto fail = [&](const QString &message) {
        const QStringList failed = rollback();
        result.ok = false;
        result.error = QStringLiteral("管理情報を整備できませんでした: ") + message;
        if (!failed.isEmpty())
            result.error +=
                QStringLiteral("\n元に戻せなかったファイル: ") + failed.join(QLatin1Char('\n'));
        say(result.error);
        return result;
    };

    // Dropped entries' files are set aside first (and deleted once the new index is
    // saved), so the texts come in the order of the steps: Delete, Rename1, Rename2.
    QString err;
    for (const Drop &d : drops) {
        if (!renameNoReplace(d.from, d.temp, &err))
            return fail(err);
        done.append({d.from, d.temp});
    }
    for (const QString &text : deleteTexts)
        say(text);
    for (const Move &m : moves) {
        if (!renameNoReplace(m.from, m.temp, &err))
            return fail(err);
        done.append({m.from, m.temp});
        if (m.announce)
            say(QStringLiteral("Rename1 %1->%2").arg(m.oldNumber).arg(m.newNumber));
    }
    for (const Move &m : moves) {
        if (!renameNoReplace(m.temp, m.to, &err))
            return fail(err);
        done.append({m.temp, m.to});
        if (m.announce)
            say(QStringLiteral("Rename2 %1->%2").arg(m.newNumber).arg(m.newNumber));
    }

    TextDocument newDocument = oldDocument;
    newDocument.lines = newLines;
    if (!TextFile::write(indexPath, newDocument, &err))
        return fail(err);

    for (const Drop &d : drops) {
        if (::unlink(QFile::encodeName(d.temp).constData()) != 0)
            say(QStringLiteral("削除できませんでした: %1: %2").arg(d.temp, errnoText(errno)));
    }
    result.ok = true;
    say(doneText(result.unreachable));
    return result;
}

} // namespace kazari
