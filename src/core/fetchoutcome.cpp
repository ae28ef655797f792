#include "core/fetchoutcome.h"

using namespace Qt::StringLiterals;

namespace {

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 1) + u" s"_s;
}

} // namespace

bool FetchOutcome::failed() const
{
    return kind != Kind::Ok;
}

QString FetchOutcome::describe() const
{
    switch (kind) {
    case Kind::Ok:
        return u"正常"_s;
    case Kind::InvalidAddress:
        return address.isEmpty() ? u"未配置地址"_s : u"地址无效"_s;
    case Kind::Refused:
        return u"连接被拒绝"_s;
    case Kind::HostNotFound:
        return u"找不到主机"_s;
    case Kind::Timeout:
        return u"连接超时 ("_s + seconds(elapsedMs) + u')';
    case Kind::HttpError:
        return u"HTTP "_s + QString::number(httpStatus);
    case Kind::TooLarge:
        return u"页面过大"_s;
    case Kind::CutOff:
        return u"页面不完整"_s;
    case Kind::RedirectLoop:
        return u"重定向过多"_s;
    case Kind::Closed:
        return u"连接被关闭"_s;
    case Kind::NetworkError:
        break;
    }
    return u"网络错误"_s;
}

QString FetchOutcome::code() const
{
    switch (kind) {
    case Kind::Ok:
        return u"ok"_s;
    case Kind::InvalidAddress:
        return address.isEmpty() ? u"not-configured"_s : u"invalid-address"_s;
    case Kind::Refused:
        return u"refused"_s;
    case Kind::HostNotFound:
        return u"host-not-found"_s;
    case Kind::Timeout:
        return u"timeout"_s;
    case Kind::HttpError:
        return u"http-"_s + QString::number(httpStatus);
    case Kind::TooLarge:
        return u"too-large"_s;
    case Kind::CutOff:
        return u"cut-off"_s;
    case Kind::RedirectLoop:
        return u"redirect-loop"_s;
    case Kind::Closed:
        return u"closed"_s;
    case Kind::NetworkError:
        break;
    }
    return u"network-error"_s;
}
