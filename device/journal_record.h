// How the device operations add a request to the journal (device/ only).
#pragma once

#include "device/device.h"

// Appends a request, dropping the oldest when the journal is full.
void devJournalRecord(DevOp op, int32_t a = 0, int32_t b = 0, float x = 0.0f);
