#include "sources/playback/playerstates.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace PlayerStates {

QString text(int code)
{
    static const QStringList texts = {
        u"准备就绪.."_s, u"已停止播放"_s, u"已暂停播放"_s, u"正在播放中.."_s, u"缓冲中.."_s, u"等待中.."_s,
        u"播放结束.."_s, u"准备读.."_s, u"重连中.."_s, u"BT种子下载中.."_s, u"正在连接中.."_s, u"正在停止.."_s,
    };
    return code >= 0 && code < texts.size() ? texts.at(code) : QString();
}

QString labelText(int code)
{
    const QString state = text(code);
    return state.isNull() ? QString() : u"播放器状态："_s + state;
}

const QString &initialLabel()
{
    static const QString label = u"播放器状态：未播放"_s;
    return label;
}

} // namespace PlayerStates
