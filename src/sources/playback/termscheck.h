#pragma once

class ReaderContext;

// The playback operations run only while the terms-of-use box Check1 is
// ticked; otherwise this shows "请先阅读使用协议并严格遵守!" and says no.
bool playbackTermsAccepted(const ReaderContext &context);
