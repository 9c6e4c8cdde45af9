#include "cli/kazaricli.h"

#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationstore.h"
#include "core/annotations/annotationvalues.h"
#include "core/app/settings.h"
#include "core/platform/programfolder.h"

namespace kazari
{

namespace
{

QString knownSuffixes()
{
    QStringList names;
    for (std::size_t i = 0; i < WholeItemSuffixCount; ++i)
        names.append(QString(wholeItemSuffix(i)));
    names << QString(FolderViewStyleKey) << QString(FolderSortTypeKey) << QString(FolderImageKey);
    return names.join(QLatin1Char(' '));
}

} // namespace

KazariCli::KazariCli(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{
}

QString KazariCli::usage()
{
    return QStringLiteral(
               "Usage: kazari-cli [--program-folder DIR] [--mode central|folder] [--yes] COMMAND "
               "...\n"
               "\n"
               "Reads and writes Kazari's annotations the way the program does.\n"
               "\n"
               "Commands:\n"
               "  get PATH [SUFFIX]        print one field of the item at PATH; without SUFFIX\n"
               "                           every field as suffix=value lines\n"
               "  set PATH SUFFIX VALUE    set a field (an empty VALUE removes it)\n"
               "  del PATH SUFFIX          remove a field\n"
               "  list FOLDER              print the lines of the folder's annotation file\n"
               "  maintain                 tidy the central index and renumber its files\n"
               "\n"
               "Suffixes: %1\n"
               "Keys starting with \".\" belong to the folder PATH itself.\n"
               "\n"
               "Options:\n"
               "  --program-folder DIR     the program folder (default: beside the executable\n"
               "                           when writable, else the user's data folder)\n"
               "  --mode central|folder    storage mode for this call (default: from exe.ini)\n"
               "  --yes                    in central mode, create the index if it is missing\n"
               "  --help                   show this text\n"
               "\n"
               "Exit codes: 0 done, 1 not found, 2 refused or wrong usage.\n")
        .arg(knownSuffixes());
}

int KazariCli::fail(int code, const QString &message)
{
    m_err << "kazari-cli: " << message << '\n';
    m_err.flush();
    return code;
}

int KazariCli::run(const QStringList &arguments, const QString &executableDir)
{
    QString modeText;
    bool yes = false;
    bool help = false;
    QStringList operands;
    bool optionsDone = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (optionsDone || !a.startsWith(QLatin1String("--")) || a == QLatin1String("-")) {
            operands.append(a);
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsDone = true;
        } else if (a == QLatin1String("--help")) {
            help = true;
        } else if (a == QLatin1String("--yes")) {
            yes = true;
        } else if (a == QLatin1String("--program-folder") || a == QLatin1String("--mode")) {
            if (i + 1 >= arguments.size())
                return fail(Refused, QStringLiteral("%1 needs a value (see --help)").arg(a));
            if (a == QLatin1String("--mode"))
                modeText = arguments.at(i + 1);
            ++i;
        } else if (a.startsWith(QLatin1String("--mode="))) {
            modeText = a.mid(7);
        } else if (a.startsWith(QLatin1String("--program-folder="))) {
            // read by ProgramFolder::choose below
        } else {
            return fail(Refused, QStringLiteral("unknown option %1 (see --help)").arg(a));
        }
    }
    if (help) {
        m_out << usage();
        return Done;
    }
    if (operands.isEmpty())
        return fail(Refused, QStringLiteral("no command given (see --help)"));
    const QString command = operands.takeFirst();

    std::optional<StorageMode> modeOverride;
    if (modeText == QLatin1String("central"))
        modeOverride = StorageMode::Central;
    else if (modeText == QLatin1String("folder"))
        modeOverride = StorageMode::PerFolder;
    else if (!modeText.isEmpty())
        return fail(Refused,
                    QStringLiteral("--mode must be central or folder, not %1").arg(modeText));

    auto needs = [&](qsizetype low, qsizetype high) {
        return operands.size() >= low && operands.size() <= high;
    };
    const bool known = command == QLatin1String("get") || command == QLatin1String("set") ||
                       command == QLatin1String("del") || command == QLatin1String("list") ||
                       command == QLatin1String("maintain");
    if (!known)
        return fail(Refused, QStringLiteral("unknown command %1 (see --help)").arg(command));
    if ((command == QLatin1String("get") && !needs(1, 2)) ||
        (command == QLatin1String("set") && !needs(3, 3)) ||
        (command == QLatin1String("del") && !needs(2, 2)) ||
        (command == QLatin1String("list") && !needs(1, 1)) ||
        (command == QLatin1String("maintain") && !needs(0, 0)))
        return fail(Refused,
                    QStringLiteral("wrong number of arguments for %1 (see --help)").arg(command));

    QString suffix;
    if (operands.size() >= 2 && command != QLatin1String("list")) {
        suffix = canonicalAnnotationSuffix(operands.at(1));
        if (suffix.isNull())
            return fail(Refused, QStringLiteral("unknown key suffix %1; known: %2")
                                     .arg(operands.at(1), knownSuffixes()));
    }
    const bool folderKeyGiven = suffix.startsWith(QLatin1Char('.'));

    QString error;
    const QString folderPath = ProgramFolder::choose(arguments, executableDir, &error);
    if (folderPath.isEmpty())
        return fail(Refused, error);
    ProgramFolder programFolder(folderPath);
    programFolder.setExecutableDir(executableDir);
    Settings settings(programFolder);
    if (!settings.load(&error) && !error.isEmpty())
        m_err << "kazari-cli: exe.ini could not be read, using the defaults: " << error << '\n';
    AnnotationStore store(programFolder, settings);
    if (modeOverride)
        store.setSessionMode(*modeOverride);
    store.setQuestionHandler([yes](StoreQuestion question, const QString &) {
        return question == StoreQuestion::CreateIndex && yes;
    });
    const bool central = store.mode() == StorageMode::Central;
    auto noIndexNote = [&]() {
        return central && !store.indexExists()
                   ? QStringLiteral(
                         " (central management mode has no index file ini/index.ini yet)")
                   : QString();
    };
    auto refusedWrite = [&](const StoreResult &r) {
        if (r.declined)
            return fail(Refused, QStringLiteral("central management mode has no index file "
                                                "(ini/index.ini in %1); run again with --yes "
                                                "to create it")
                                     .arg(programFolder.path()));
        return fail(Refused, r.error);
    };

    if (command == QLatin1String("get")) {
        const QString path = operands.at(0);
        if (suffix.isEmpty()) {
            int count = 0;
            for (const auto &field : store.fieldsByPath(path)) {
                if (!AnnotationValues::isValid(field.first, field.second))
                    continue;
                m_out << field.first << '=' << field.second << '\n';
                ++count;
            }
            if (count == 0)
                return fail(NotFound,
                            QStringLiteral("%1 has no annotation%2").arg(path, noIndexNote()));
            return Done;
        }
        const QString value =
            folderKeyGiven ? store.folderValue(path, suffix) : store.GetByPath(path, suffix);
        if (!AnnotationValues::isValid(suffix, value))
            return fail(NotFound,
                        QStringLiteral("%1 has no %2%3").arg(path, suffix, noIndexNote()));
        m_out << value << '\n';
        return Done;
    }

    if (command == QLatin1String("set")) {
        const QString path = operands.at(0);
        const QString value = sanitizeAnnotationValue(operands.at(2));
        if (!value.isEmpty() && !AnnotationValues::isValid(suffix, value))
            return fail(Refused,
                        QStringLiteral("%1 is not a valid value for %2: expected %3")
                            .arg(value, suffix, AnnotationValues::describeExpected(suffix)));
        const StoreResult r = folderKeyGiven ? store.setFolderValue(path, suffix, value)
                                             : store.SetByPath(path, suffix, value);
        if (!r.ok)
            return refusedWrite(r);
        const QString now =
            folderKeyGiven ? store.folderValue(path, suffix) : store.GetByPath(path, suffix);
        if (!value.isEmpty() && now != value)
            return fail(
                Refused,
                QStringLiteral("%1 cannot be stored for %2 in this mode").arg(suffix, path));
        return Done;
    }

    if (command == QLatin1String("del")) {
        const QString path = operands.at(0);
        const StoreResult r = folderKeyGiven ? store.setFolderValue(path, suffix, QString())
                                             : store.DeleteByPath(path, suffix);
        if (!r.ok)
            return refusedWrite(r);
        if (!r.changed)
            return fail(NotFound,
                        QStringLiteral("%1 has no %2%3").arg(path, suffix, noIndexNote()));
        return Done;
    }

    if (command == QLatin1String("list")) {
        bool found = false;
        const AnnotationList list = store.folderList(operands.at(0), &found, &error);
        if (!error.isEmpty())
            return fail(Refused, error);
        if (!found)
            return fail(
                NotFound,
                QStringLiteral("%1 has no annotation file%2").arg(operands.at(0), noIndexNote()));
        for (const QString &line : list.lines())
            m_out << line << '\n';
        return Done;
    }

    // maintain
    const IndexMaintenance::Result r = store.runMaintenance([this](const QString &text) {
        m_out << text << '\n';
        m_out.flush();
    });
    if (r.noIndex)
        return fail(
            NotFound,
            QStringLiteral("there is no index file ini/index.ini in %1").arg(programFolder.path()));
    if (!r.ok)
        return fail(Refused, r.error);
    return Done;
}

} // namespace kazari
