#include "fuzzinput.h"

#include "core/markerscan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString marker = input.takeShortText(12);
    const QString end = input.takeShortText(12);
    const QString body = QString::fromUtf8(input.restBytes());

    const MarkerPieces pieces(body, marker);
    // The pieces joined with the marker give the body back.
    QString joined;
    for (qsizetype n = 0; n < pieces.size(); ++n)
        joined += (n == 0 ? QString() : marker) + pieces.piece(n).toString();
    FUZZ_REQUIRE(joined == body);
    FUZZ_REQUIRE(pieces.piece(pieces.size()).isEmpty() && pieces.piece(-1).isEmpty());
    FUZZ_REQUIRE(countFrom(body, marker) >= pieces.size() - 1);

    const qsizetype from = input.takeInt(0, 64);
    FUZZ_REQUIRE(markerIndex(body, marker, from) == QStringView(body).indexOf(marker, from));
    FUZZ_REQUIRE(markerIndex(body, end, 0) == QStringView(body).indexOf(end));
    const qsizetype at = findFrom(body, marker, input.takeInt(-1, 64));
    FUZZ_REQUIRE(at >= 0 && at <= body.size());
    const QString between = cutBetween(body, marker, end);
    FUZZ_REQUIRE(between.isEmpty() || body.contains(between));
    cutBefore(body, end);
    // The short cut to piece 1 agrees with the whole split.
    FUZZ_REQUIRE(cutFirstPiece(body, marker, end) == cutBefore(pieces.piece(1), end));
    FUZZ_REQUIRE(removeAll(body, marker).size() <= body.size());
    FUZZ_REQUIRE(marker.isEmpty() || removeAll(body, marker) == QString(body).remove(marker));
    return 0;
}
