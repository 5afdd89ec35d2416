#include "platform/qt/qt_node_answers.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>

namespace syncward {

namespace {

QJsonDocument parsed(const std::string& answer) {
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(answer), &error);
    return error.error == QJsonParseError::NoError ? document : QJsonDocument();
}

// A whole number, as the client prints heights and times.
std::optional<long long> wholeNumber(const QJsonObject& object, const char* name) {
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isDouble()) return std::nullopt;
    const double number = value.toDouble();
    // Only a number in the range of long long may be converted: 2^63, 1e19
    // or 1e308 (and -1e19 below -2^63) have no value there, and converting
    // them is undefined. 2^63 itself is the first double past the range.
    constexpr double limit = 9223372036854775808.0;  // 2^63
    if (!std::isfinite(number) || number >= limit || number < -limit) return std::nullopt;
    if (number != std::trunc(number)) return std::nullopt;
    return static_cast<long long>(number);
}

}  // namespace

std::optional<ChainState> QtNodeAnswers::chainState(const std::string& answer) {
    const QJsonDocument document = parsed(answer);
    if (!document.isObject()) return std::nullopt;
    const QJsonObject object = document.object();
    ChainState state;
    state.blocks = wholeNumber(object, "blocks");
    state.headers = wholeNumber(object, "headers");
    const QJsonValue ibd = object.value(QLatin1String("initialblockdownload"));
    if (ibd.isBool()) state.initialBlockDownload = ibd.toBool();
    // Without a block count the answer is not a chain state at all.
    if (!state.blocks) return std::nullopt;
    return state;
}

std::optional<PeerState> QtNodeAnswers::peers(const std::string& answer) {
    const QJsonDocument document = parsed(answer);
    if (!document.isArray()) return std::nullopt;
    PeerState state;
    for (const QJsonValue& peer : document.array()) {
        if (!peer.isObject()) continue;
        ++state.connected;
        if (const auto synced = wholeNumber(peer.toObject(), "synced_headers"); synced && *synced >= 0)
            if (!state.bestPeerHeader || *synced > *state.bestPeerHeader) state.bestPeerHeader = synced;
    }
    return state;
}

std::optional<long long> QtNodeAnswers::blockTime(const std::string& answer) {
    const QJsonDocument document = parsed(answer);
    if (!document.isObject()) return std::nullopt;
    return wholeNumber(document.object(), "time");
}

}  // namespace syncward
