#include "shell/message_keys.h"

namespace shell {

namespace {

// In the order of MessageKey.
const KeyedText kMessageTexts[kMessageKeyCount] = {
    {"inf no source folder", "请在\"软件路径\"选项选择好您要整合的软件路径,在点击添加之后再点击整合包生成."},
    {"inf no name", "请输入软件LOGO信息。"},
    {"inf no version", "请输入软件名称及版本信息。"},
    {"inf package filter", "整合包 (*.cab)|*.cab|"},
    {"registry file filter", "注册表文件 (*.reg)|*.reg|所有文件 (*.*)|*.*|"},
    {"no setup dir code", "请选择高级代码地址"},
    {"drive not ready", "驱动器 %1 未就绪，无法读取（光驱或读卡器里可能没有盘）。请放入盘后再选，或选择别的驱动器。"},
    {"folder not opened", "无法打开文件夹 %1：%2"},
    {"inner cabinet missing", "CAB整合包文件提取失败，请重新选择，请查看文件是否被占用。"},
    {"inf package made", "恭喜！整合包生成成功！"},
    {"inf package missing", "整合包生成失败！请重新检查完毕之后再生成。"},
    {"t13 no name", "请输入软件名称信息。"},
    {"t13 no version", "请输入软件版本号。"},
    {"t13 no items", "请加入您要生成的程序"},
    {"t13 package filter", "整合包 (*.7z)|*.7z|"},
    {"folder prompt", "请选择文件夹"},
    {"t13 package made", "*********************T13整合包生成成功****************"},
    {"t13 package made title", "生成成功"},
    {"t13 package missing", "******Sorry。T13整合包生成失败，请您检查程序好再重新制作******"},
    {"t13 package missing title", "整合包生成换败了"},
    {"choose files title", "选择文件"},
    {"choose files filter", "所有类型的文件(*.*)|*.*"},
    {"dlg file info error", "GetDlgFileInfo函数执行错误！"},
    {"dlg file info error title", "自定义函数错误"},
    {"program filter", "可执行文件 (*.exe)|*.exe|所有文件 (*.*)|*.*|"},
};

// In the order of CaptionKey.
const KeyedText kCaptionTexts[kCaptionKeyCount] = {
    {"source file info", "源文件信息"},
    {"copy code", "复制代码"},
    {"code options", "代码选项"},
    {"setup dir code", "高级地址代码"},
    {"integration mode", "整合方式"},
    {"patch mode", "补丁方式=100"},
    {"whole file mode", "原文件方式=1"},
    {"extract path", "解压路径:"},
    {"store only", "不压缩"},
    {"high compression", "高压缩"},
    {"files", "文件"},
    {"folder", "目录"},
    {"shortcut list", "快捷方式"},
};

}  // namespace

const KeyedText& messageKeyText(MessageKey key) { return kMessageTexts[static_cast<int>(key)]; }

const KeyedText& captionKeyText(CaptionKey key) { return kCaptionTexts[static_cast<int>(key)]; }

std::string FillText(const std::string& text, const std::vector<std::string>& values) {
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '%') {
                filled += '%';
                ++i;
                continue;
            }
            if (next >= '1' && next <= '9') {
                const std::size_t index = static_cast<std::size_t>(next - '1');
                if (index < values.size()) filled += values[index];
                ++i;
                continue;
            }
        }
        filled += text[i];
    }
    return filled;
}

}  // namespace shell
