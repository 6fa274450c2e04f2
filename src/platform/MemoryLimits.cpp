// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/MemoryLimits.h"

#include <QFile>
#include <QList>

#include <sys/resource.h>

#include <algorithm>
#include <limits>

namespace {

constexpr std::uint64_t NoLimit = std::numeric_limits<std::uint64_t>::max();

QByteArray ReadSystemFile(const QByteArray& AName) {
    QFile File(QString::fromLocal8Bit(AName));
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

std::optional<std::uint64_t> ToBytes(const QByteArray& AText) {
    bool Ok = false;
    const std::uint64_t Value = AText.trimmed().toULongLong(&Ok);
    return Ok ? std::optional<std::uint64_t>(Value) : std::nullopt;
}

// /proc/self/mounts writes a space in a path as \040, and so on.
QByteArray Unescaped(const QByteArray& AField) {
    QByteArray Result;
    for (qsizetype i = 0; i < AField.size(); ++i) {
        if (AField[i] == '\\' && i + 3 < AField.size()) {
            bool Ok = false;
            const int Code = AField.mid(i + 1, 3).toInt(&Ok, 8);
            if (Ok) {
                Result += static_cast<char>(Code);
                i += 3;
                continue;
            }
        }
        Result += AField[i];
    }
    return Result;
}

// The room of one resource limit against the process's use of it.
std::uint64_t LimitRoom(int AResource, std::optional<std::uint64_t> AUsed) {
    rlimit Limit{};
    if (getrlimit(AResource, &Limit) != 0 || Limit.rlim_cur == RLIM_INFINITY)
        return NoLimit;
    return Room(Limit.rlim_cur, AUsed.value_or(0));
}

} // namespace

std::optional<QByteArray> CgroupPathFromText(const QByteArray& AProcCgroup) {
    for (const QByteArray& Line : AProcCgroup.split('\n'))
        if (Line.startsWith("0::/"))
            return Line.mid(3).trimmed();
    return std::nullopt;
}

std::optional<QByteArray> CgroupMountFromText(const QByteArray& AProcMounts) {
    for (const QByteArray& Line : AProcMounts.split('\n')) {
        const QList<QByteArray> Fields = Line.split(' ');
        if (Fields.size() >= 3 && Fields[2] == "cgroup2")
            return Unescaped(Fields[1]);
    }
    return std::nullopt;
}

std::optional<std::uint64_t> CgroupRoomFromText(const QByteArray& AMax,
                                                const QByteArray& ACurrent) {
    const std::optional<std::uint64_t> Max = ToBytes(AMax);
    if (!Max)
        return std::nullopt;
    return Room(*Max, ToBytes(ACurrent).value_or(0));
}

std::optional<std::uint64_t> StatusBytes(const QByteArray& AStatus, const QByteArray& AKey) {
    for (const QByteArray& Line : AStatus.split('\n')) {
        const QList<QByteArray> Fields = Line.simplified().split(' ');
        if (Fields.size() >= 2 && Fields[0] == AKey)
            if (const auto KiB = ToBytes(Fields[1]))
                return *KiB * 1024;
    }
    return std::nullopt;
}

std::uint64_t Room(std::uint64_t ALimit, std::uint64_t AUsed) {
    return ALimit > AUsed ? ALimit - AUsed : 0;
}

std::uint64_t ProcessMemoryRoom() {
    const QByteArray Status = ReadSystemFile("/proc/self/status");
    std::uint64_t Result = std::min(LimitRoom(RLIMIT_AS, StatusBytes(Status, "VmSize:")),
                                    LimitRoom(RLIMIT_DATA, StatusBytes(Status, "VmData:")));
    const auto Path = CgroupPathFromText(ReadSystemFile("/proc/self/cgroup"));
    const auto Mount = CgroupMountFromText(ReadSystemFile("/proc/self/mounts"));
    if (!Path || !Mount)
        return Result;
    // A limit of any ancestor holds as well.
    for (QByteArray Group = *Path;;) {
        const QByteArray Dir = *Mount + (Group == "/" ? QByteArray() : Group);
        if (const auto GroupRoom = CgroupRoomFromText(ReadSystemFile(Dir + "/memory.max"),
                                                      ReadSystemFile(Dir + "/memory.current")))
            Result = std::min(Result, *GroupRoom);
        if (Group == "/")
            break;
        Group = Group.left(std::max<qsizetype>(Group.lastIndexOf('/'), 1));
    }
    return Result;
}
