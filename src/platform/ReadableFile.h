#pragma once

class QString;

// True when the path names a regular file that this process can open for reading. Never
// blocks: a FIFO, a device or a directory is simply not readable here.
bool isReadableFile(const QString &path);
