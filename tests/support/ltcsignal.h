// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef LTCSIGNAL_H
#define LTCSIGNAL_H

#include "sourceframes.h"

#include <QString>

#include <vector>

// LTC audio for tests and benchmarks, at full scale, one channel.

// Made by libltc's encoder: 'frames' frames from 'start', in reverse (each
// frame played backwards, counting down) if asked.
std::vector<float> libltcSignal(double sampleRate, double fps, const TimecodeFields &start,
                                int frames, bool reverse = false);

// Biphase-mark coded here, bit by bit, without libltc, so that a fault in
// libltc's encoder and a matching one in its decoder cannot cancel out.
// Whole rates only, no drop-frame.
std::vector<float> handmadeSignal(double sampleRate, int fps, const TimecodeFields &start,
                                  int frames);

// Writes the samples as a WAV file (FLAC or AIFF by the path's suffix) of
// 'channels' channels, the signal in 'channel' (from 0) and silence in the
// rest.
bool writeSoundFile(const QString &path, const std::vector<float> &samples, int sampleRate,
                    int channels = 1, int channel = 0);

#endif // LTCSIGNAL_H
