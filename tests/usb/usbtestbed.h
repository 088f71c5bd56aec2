// A LYNTRA unit on an emulated USB bus: umockdev's testbed holds its device database entry (the
// manufacturer and product strings discovery reads, the descriptors libusb reads) and its device node,
// whose usbfs requests are answered from the firmware model in this process. The test program must run
// with libumockdev-preload loaded (tests/usb/CMakeLists.txt).
//
// The handler runs on umockdev's own thread; the firmware model and the faults are shared with the test
// thread under a lock.
#pragma once

#include "firmware.h"

#include <QByteArray>
#include <QString>

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
// glib names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <umockdev.h>
#pragma pop_macro("signals")

#include <atomic>
#include <cerrno>
#include <deque>
#include <mutex>

namespace lyntra_test {

class UsbTestbed {
public:
    enum class Fault { None, Busy, UnplugAtNextRead };

    UsbTestbed() : bed_(umockdev_testbed_new()), handler_(umockdev_ioctl_base_new())
    {
        g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(&UsbTestbed::onIoctl), this);
    }
    ~UsbTestbed()
    {
        g_object_unref(handler_);
        g_object_unref(bed_);
    }

    // Plugs the unit in at bus 1, `address`; its node refuses a user without rights when `denied` (made
    // so just after it appears: plug a denied unit before the panel looks).
    bool plug(int address, bool denied = false)
    {
        node_ = QStringLiteral("/dev/bus/usb/001/%1").arg(address, 3, 10, QLatin1Char('0'));
        sys_ = QStringLiteral("/sys/devices/pci0000:00/usb1/1-%1").arg(address);
        gone_ = false;
        if (!umockdev_testbed_attach_ioctl(bed_, qPrintable(node_), handler_, nullptr))
            return false;
        const QByteArray record = QStringLiteral(
            "P: %1\nN: %2\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\nE: BUSNUM=001\n"
            "E: DEVNUM=%3\nE: DEVNAME=%4\nA: busnum=1\\n\nA: devnum=%5\\n\nA: speed=480\\n\n"
            "A: bConfigurationValue=1\\n\nA: manufacturer=AVENOR\\n\nA: product=LYNTRA K2\\n\n"
            // device (vendor-specific class), one configuration, one interface without endpoints
            "H: descriptors=12010002ef020140d00c0b0101000102000109021200010100c0320904000000ff000000\n")
            .arg(sys_.mid(4), node_.mid(5), node_.right(3), node_).arg(address).toLatin1();
        const bool added = umockdev_testbed_add_from_string(bed_, record.constData(), nullptr);
        if (denied)
            setDenied(true);
        return added;
    }
    // Takes the unit away as the kernel does: requests on open handles fail, the removal event goes
    // out, its entries go.
    void unplug()
    {
        gone_ = true;
        umockdev_testbed_uevent(bed_, qPrintable(sys_), "remove");
        umockdev_testbed_remove_device(bed_, qPrintable(sys_));
        umockdev_testbed_detach_ioctl(bed_, qPrintable(node_), nullptr);
    }
    // The node as a udev rule without uaccess leaves it: no rights for anyone but its owner's powers.
    void setDenied(bool denied)
    {
        const QByteArray path = QByteArray(umockdev_testbed_get_root_dir(bed_)) + node_.toLatin1();
        ::chmod(path.constData(), denied ? 0 : 0666);
    }
    void setFault(Fault f) { fault_ = f; }
    // True once the unit left in the middle of an exchange (UnplugAtNextRead).
    bool gone() const { return gone_; }

    // The firmware model's state (see Firmware::state()).
    QJsonObject state()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return firmware_.state();
    }

private:
    static void complete(UMockdevIoctlClient *client, long result, int err)
    {
        umockdev_ioctl_client_complete(client, result, err);
    }

    static gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self)
    {
        return static_cast<UsbTestbed *>(self)->ioctl(client);
    }

    gboolean ioctl(UMockdevIoctlClient *client)
    {
        UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
        const gulong request = umockdev_ioctl_client_get_request(client);
        if (gone_) {
            complete(client, -1, ENODEV);
            return TRUE;
        }
        if (request == USBDEVFS_GET_CAPABILITIES) {
            UMockdevIoctlData *caps = umockdev_ioctl_data_resolve(arg, 0, sizeof(guint32), nullptr);
            *reinterpret_cast<guint32 *>(caps->data) = USBDEVFS_CAP_NO_PACKET_SIZE_LIM;
            g_object_unref(caps);
            complete(client, 0, 0);
        } else if (request == USBDEVFS_SUBMITURB) {
            submit(client, arg);
        } else if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (done_.empty()) {
                complete(client, -1, EAGAIN);
                return TRUE;
            }
            UMockdevIoctlData *slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(gpointer), nullptr);
            umockdev_ioctl_data_set_ptr(slot, 0, done_.front());
            g_object_unref(done_.front());
            done_.pop_front();
            g_object_unref(slot);
            complete(client, 0, 0);
        } else {
            return FALSE;
        }
        return TRUE;
    }

    // One control transfer, answered at once: an OUT message is applied, an IN read gets the next reply.
    void submit(UMockdevIoctlClient *client, UMockdevIoctlData *arg)
    {
        if (fault_ == Fault::Busy) {
            complete(client, -1, EBUSY);
            return;
        }
        UMockdevIoctlData *urbData = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        auto *urb = reinterpret_cast<usbdevfs_urb *>(urbData->data);
        UMockdevIoctlData *buffer = umockdev_ioctl_data_resolve(
            urbData, G_STRUCT_OFFSET(usbdevfs_urb, buffer), size_t(urb->buffer_length), nullptr);
        uint8_t *setup = buffer->data;
        const int length = setup[6] | setup[7] << 8;
        const bool in = setup[0] & 0x80;
        if (in && fault_ == Fault::UnplugAtNextRead) {
            gone_ = true;
            complete(client, -1, ENODEV);
        } else {
            std::lock_guard<std::mutex> lock(mutex_);
            if (in && setup[1] == 30 && length == lyntra::fw::ReplyQueue::kReplySize)
                firmware_.nextReply(setup + 8);
            else if (!in && setup[1] == 29)
                firmware_.apply(setup + 8, size_t(length));
            urb->actual_length = length;
            urb->status = 0;
            done_.push_back(urbData);
            urbData = nullptr;
            complete(client, 0, 0);
        }
        g_object_unref(buffer);
        if (urbData)
            g_object_unref(urbData);
    }

    UMockdevTestbed *bed_;
    UMockdevIoctlBase *handler_;
    QString node_, sys_;
    std::mutex mutex_;
    lyntra::fw::Firmware firmware_;
    std::deque<UMockdevIoctlData *> done_; // completed transfers, not yet reaped
    std::atomic<Fault> fault_{Fault::None};
    std::atomic<bool> gone_{false};
};

} // namespace lyntra_test
