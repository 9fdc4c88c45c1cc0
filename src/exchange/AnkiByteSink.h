#pragma once

#include "exchange/AnkiProblem.h"

#include <QByteArrayView>

#include <functional>

// Where unpacked bytes go, piece by piece: a file being written, a buffer
// or a decoder. A problem it returns stops the unpacking.
using AnkiByteSink = std::function<AnkiProblem(QByteArrayView)>;
