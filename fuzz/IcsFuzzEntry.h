#pragma once
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

// Reads one input as the task list reads a calendar file. A file it accepts
// must be written back as read, read again alike, and keep every other
// line when one to-do's title is changed. False when a check fails.
bool icsFuzzOne(const uint8_t *data, size_t size);

// Calendars as other programs write them: alarms, recurrence, time zones,
// folded lines, events beside the to-dos.
std::vector<QByteArray> icsSeeds();
