// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "artnettimecode.h"

#include <cstring>

std::optional<TimecodeLabel> parseArtTimeCode(const unsigned char *data, std::size_t size)
{
    static const unsigned char id[8] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
    if (size < ArtTimeCodeSize || std::memcmp(data, id, sizeof id) != 0)
        return std::nullopt;
    // The OpCode is the one little-endian field; the version is big-endian.
    if (data[8] != 0x00 || data[9] != 0x97)
        return std::nullopt;
    if ((data[10] << 8 | data[11]) < 14)
        return std::nullopt;

    TimecodeLabel label;
    label.frames = data[14];
    label.seconds = data[15];
    label.minutes = data[16];
    label.hours = data[17];
    switch (data[18]) {
    case 0:
        label.nominalRate = 24;
        break;
    case 1:
        label.nominalRate = 25;
        break;
    case 2:
        label.nominalRate = 30;
        label.dropFrame = true;
        break;
    case 3:
        label.nominalRate = 30;
        break;
    default:
        return std::nullopt;
    }
    if (!isValidLabel(label))
        return std::nullopt;
    return label;
}

bool ArtNetFollower::follows(const std::string &sender, Clock::time_point now)
{
    if (sender != m_sender && !m_sender.empty() && now - m_lastHeard < Patience)
        return false;
    m_sender = sender;
    m_lastHeard = now;
    return true;
}
