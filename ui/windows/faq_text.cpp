// The answers shown by the FAQ window: adb's usual messages, common questions, where to get help.
#include "ui/windows/information_texts.h"

std::string_view FaqText()
{
    // The box's face is proportional: each answer stands on its own indented line below its
    // situation, so nothing depends on blanks lining text up.
    return
        "\r\n"
        " 1、网吧电脑无法使用ADB\r\n"
        "      网吧系统一般禁用了USB数据传输和驱动安装，请换一台自己的电脑\r\n"
        " 2、提示more than one device and emulator\r\n"
        "      连接了多台设备或开着模拟器，只留一台手机并关闭模拟器\r\n"
        " 3、提示Failure [not installed for 0]\r\n"
        "      该应用在当前用户下已卸载或本机没有此应用，无需处理\r\n"
        " 4、提示device not found\r\n"
        "      设备未连接，重新试一遍\r\n"
        " 5、提示device unauthorized\r\n"
        "      手机未授权，请重新插拔数据线并在手机弹窗中点“允许”；\r\n"
        "      一直不弹窗时，先用官方手机助手连接一次，装好驱动后再试\r\n"
        " 6、adb被安全软件占用\r\n"
        "      退出360、电脑管家等安全软件，再点“异常连接点此重置”；\r\n"
        "      手机助手、模拟器也会自带adb，同时开着容易互相抢占，用前先关闭\r\n"
        "\r\n"
        "【常见问题】\r\n"
        " 1、命令行里中文显示乱码：这是Windows控制台编码的问题，不影响执行结果\r\n"
        " 2、卸载的应用怎么找回：在对应位置点“装回”即可，但只能装回手机ROM里自带的应用\r\n"
        " 3、恢复出厂设置同样会找回所有卸载的应用\r\n"
        " 4、部分应用受系统保护无法卸载，提示Failure [DELETE_FAILED_INTERNAL_ERROR]属正常\r\n"
        " 5、关闭USB调试不会撤销已做的卸载，操作完成后可以放心关闭\r\n"
        " 6、卸载只对当前用户生效，系统升级后个别应用可能回来，再卸载一次即可\r\n"
        " 7、用“禁用”停掉的项目（谷歌服务、系统更新等），点同一行的“解禁”即可恢复；\r\n"
        "      不确定的项目可以先卸载观察几天，有问题随时点“装回”\r\n"
        " 8、杀毒软件误报：Pellucor调用adb和批处理文件，可能被误报，添加信任即可；\r\n"
        "      Pellucor永久免费，请从公众号获取下载地址，不要使用来路不明的修改版\r\n"
        "\r\n"
        "遇到问题联系作者之前，请先阅读程序目录下的“遇到问题请看.txt”，大部分问题都能在里面找到答案，连接类问题也可以再看一遍“连接教程”；仍未解决时，请附上回显框里的内容一起发给作者。\r\n"
        "\r\n"
        "Pellucor不联网上传任何数据，不读取通讯录、照片、短信等隐私信息，所有操作只在您的电脑与手机之间进行，请放心使用。\r\n";
}
