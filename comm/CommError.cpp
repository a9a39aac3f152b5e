#include "comm/CommError.h"

#include "ui/Text.h"

namespace comm {

std::u16string ErrorText(int number) {
    switch (number) {
    case err::InvalidPortNumber:
        return u"端口号无效 (Invalid port number)";
    case err::PortAlreadyOpen:
        return u"端口已经打开 (Port already open)";
    case err::DeviceNotFound:
        return u"找不到串口设备:请检查线缆是否插好,或在设置文件[Ports]节中指定设备 (Device not found)";
    case err::OpenFailed:
        return u"系统拒绝打开该串口设备 (The system could not open the port)";
    case err::PortNotOpen:
        return u"端口没有打开 (Port is not open)";
    case err::PortBusy:
        return u"端口正被其他程序使用,请先关闭那个程序 (Port is in use by another program)";
    case err::PermissionDenied:
        return u"没有访问该串口设备的权限:请把当前用户加入 dialout 组并重新登录 (Permission denied: add your "
               u"account to the dialout group)";
    case err::SetStateFailed:
        return u"设备不接受这个速率或帧格式 (The device refused the line settings)";
    case err::NotASerialDevice:
        return u"这不是串口设备 (Not a serial device)";
    case err::InvalidSettings:
        return u"端口设置无效 (Invalid port settings)";
    case err::NoModemLines:
        return u"该设备没有调制解调器控制线 (The device has no modem control lines)";
    case err::ReadFailed:
        return u"从端口读取失败 (Read from the port failed)";
    case err::WriteFailed:
        return u"向端口写入失败 (Write to the port failed)";
    case err::DeviceGone:
        return u"串口设备已被拔出 (The device was removed)";
    case err::InvalidProperty:
        return u"属性值无效 (Invalid property value)";
    default:
        return u"未知错误 " + ui::Decimal(number) + u" (Unknown error)";
    }
}

}  // namespace comm
