#include "core/fetchoutcome.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Wording
{
    const char16_t *text; // for the user
    const char16_t *code; // for scripts
};

// In the order of FetchOutcome::Kind. A time-out adds its seconds, an HTTP
// error its status; an invalid address that is empty or a bare path was
// never set up.
constexpr std::array<Wording, 13> wordings = {{
    {u"正常", u"ok"},
    {u"地址无效", u"invalid-address"},
    {u"连接被拒绝", u"refused"},
    {u"找不到主机", u"host-not-found"},
    {u"连接超时", u"timeout"},
    {u"HTTP", u"http"},
    {u"页面过大", u"too-large"},
    {u"页面不完整", u"cut-off"},
    {u"重定向过多", u"redirect-loop"},
    {u"重定向被拒绝", u"redirect-refused"},
    {u"连接被关闭", u"closed"},
    {u"网络错误", u"network-error"},
    {u"已取消", u"cancelled"},
}};

const Wording &wordingOf(FetchOutcome::Kind kind)
{
    return wordings.at(static_cast<size_t>(kind));
}

} // namespace

bool FetchOutcome::failed() const
{
    return kind != Kind::Ok && kind != Kind::Cancelled;
}

bool FetchOutcome::cancelled() const
{
    return kind == Kind::Cancelled;
}

bool FetchOutcome::notConfigured() const
{
    // Every address of a site is "{base}/…": without a base, a bare path.
    return kind == Kind::InvalidAddress
           && (address.isEmpty() || (address.startsWith(u'/') && !address.startsWith(u"//"_s)));
}

QString FetchOutcome::describe() const
{
    if (notConfigured())
        return u"未配置地址"_s;
    const QString text = QString::fromUtf16(wordingOf(kind).text);
    if (kind == Kind::Timeout)
        return text + u" ("_s + QString::number(double(elapsedMs) / 1000.0, 'f', 1) + u" s)"_s;
    if (kind == Kind::HttpError)
        return text + u' ' + QString::number(httpStatus);
    return text;
}

QString FetchOutcome::code() const
{
    if (notConfigured())
        return u"not-configured"_s;
    const QString code = QString::fromUtf16(wordingOf(kind).code);
    return kind == Kind::HttpError ? code + u'-' + QString::number(httpStatus) : code;
}
