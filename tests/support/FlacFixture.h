#pragma once

#include <QString>

// Real FLAC files for tests, synthesised with sox.
class FlacFixture {
public:
    // Writes a stereo sine tone of the given length to path; false (with a test warning
    // naming the reason) when sox fails.
    static bool write(const QString &path, double seconds, int frequencyHz = 440);
};
