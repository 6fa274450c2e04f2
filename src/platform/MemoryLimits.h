// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

// What this process may still allocate under its own limits, besides the free memory
// of the machine: the address-space and data-size limits and the memory control group.

// The process's control group of the unified (v2) hierarchy, from the text of
// /proc/self/cgroup ("0::/user.slice/..."); nothing when it has none.
std::optional<QByteArray> CgroupPathFromText(const QByteArray& AProcCgroup);
// Where the unified hierarchy is mounted, from the text of /proc/self/mounts.
std::optional<QByteArray> CgroupMountFromText(const QByteArray& AProcMounts);
// The room a control group leaves, from its memory.max and memory.current texts;
// nothing when it sets no limit ("max", or no file).
std::optional<std::uint64_t> CgroupRoomFromText(const QByteArray& AMax, const QByteArray& ACurrent);
// A "VmSize:    1234 kB" line of /proc/self/status in bytes.
std::optional<std::uint64_t> StatusBytes(const QByteArray& AStatus, const QByteArray& AKey);
// ALimit less AUsed; 0 once the limit is used up.
std::uint64_t Room(std::uint64_t ALimit, std::uint64_t AUsed);

// The least room of RLIMIT_AS (against VmSize), RLIMIT_DATA (against VmData) and the
// control group with each of its ancestors; the largest value when nothing limits.
std::uint64_t ProcessMemoryRoom();
