#include "core/platform/fileoperation.h"

namespace kazari
{

bool FileOperationResult::succeeded() const
{
    for (const ItemOutcome &item : items) {
        if (item.status != ItemStatus::Done)
            return false;
    }
    return !cancelled;
}

QList<ItemOutcome> FileOperationResult::done() const
{
    QList<ItemOutcome> out;
    for (const ItemOutcome &item : items) {
        if (item.status == ItemStatus::Done)
            out.append(item);
    }
    return out;
}

std::optional<FileOperationCode> FileOperation::codeFromInt(int code)
{
    switch (code) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 5:
        return static_cast<FileOperationCode>(code);
    default:
        return std::nullopt;
    }
}

bool FileOperation::isMove(FileOperationCode code)
{
    return code == FileOperationCode::MoveRenaming || code == FileOperationCode::MoveAsking;
}

bool FileOperation::isCopy(FileOperationCode code)
{
    return code == FileOperationCode::CopyRenaming || code == FileOperationCode::CopyAsking;
}

bool FileOperation::asksBeforeReplacing(FileOperationCode code)
{
    return code == FileOperationCode::MoveAsking || code == FileOperationCode::CopyAsking;
}

QString FileOperation::statusPrefix(FileOperationCode code)
{
    switch (code) {
    case FileOperationCode::MoveRenaming:
        return QStringLiteral("move: ");
    case FileOperationCode::CopyRenaming:
        return QStringLiteral("copy: ");
    case FileOperationCode::Delete:
        return QStringLiteral("del: ");
    case FileOperationCode::MoveAsking:
        return QStringLiteral("xmove: ");
    case FileOperationCode::CopyAsking:
        return QStringLiteral("xcopy: ");
    }
    return QString();
}

QString FileOperation::statusText(const FileOperationRequest &request)
{
    return statusPrefix(request.code) + request.sources.value(0);
}

} // namespace kazari
