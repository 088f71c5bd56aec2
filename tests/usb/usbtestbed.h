// A LYNTRA unit on an emulated USB bus: umockdev's testbed holds its device database entry (the
// manufacturer and product strings discovery reads, the descriptors libusb reads) and its device node,
// whose usbfs requests are answered from the firmware model in this process. The program that uses the
// unit runs in a process of its own (here, umockdev's emulation and its user deadlock now and then);
// both run with libumockdev-preload loaded (tests/usb/CMakeLists.txt).
//
// The handler runs on umockdev's own thread; the firmware model and the faults are shared with the test
// thread under a lock.
#pragma once

#include "firmware.h"
#include "virtualunit.h"

#include <QDir>
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
#include <mutex>
#include <utility>

namespace lyntra_test {

class UsbTestbed {
public:
    enum class Fault { None, Busy, UnplugAtNextRead, UnplugAtNextRequest };

    UsbTestbed() : bed_(umockdev_testbed_new()), handler_(umockdev_ioctl_base_new())
    {
        const auto ioctl = +[](UMockdevIoctlBase *, UMockdevIoctlClient *c, gpointer bed) {
            return static_cast<UsbTestbed *>(bed)->ioctl(c);
        };
        g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(ioctl), this);
        gchar *root = umockdev_testbed_get_root_dir(bed_);
        root_ = QString::fromLocal8Bit(root);
        g_free(root);
    }
    ~UsbTestbed()
    {
        g_object_unref(handler_);
        g_object_unref(bed_);
    }

    // Plugs the unit in at a new address on bus 1, as a replugged unit gets; its node refuses a user
    // without rights when `denied` (made so just after it appears: plug a denied unit before the panel
    // looks). Each node has a device number of its own, which umockdev tells emulated nodes apart by.
    bool plug(bool denied = false)
    {
        node_ = add(true);
        setDenied(denied);
        return !node_.isEmpty();
    }
    // Another maker's device on the same bus, whose node only root may open, as most are. Not `readable`:
    // one that left while the bus was listed, so its bus number reads as nothing.
    bool plugStranger(bool readable = true)
    {
        const QString node = add(false, readable);
        deny(node, true);
        return !node.isEmpty();
    }
    // Takes the unit away as the kernel does: requests on open handles fail (from the next one on, unless
    // they already do), the removal event goes out, and the device no longer reads as the unit. Its
    // entries stay: umockdev leaves a request on an open handle unanswered when they go under it.
    // False when no request came.
    bool unplug()
    {
        if (!gone_ && fault_ == Fault::None)
            fault_ = Fault::UnplugAtNextRequest;
        const bool gone = wait_until([this] { return gone_.load(); });
        fault_ = Fault::None;
        umockdev_testbed_set_attribute(bed_, qPrintable(sys_), "product", "");
        umockdev_testbed_uevent(bed_, qPrintable(sys_), "remove");
        return gone;
    }
    // The node as a udev rule without uaccess leaves it: no rights for anyone but its owner's powers.
    void setDenied(bool denied) { deny(node_, denied); }
    void setFault(Fault f) { fault_ = f; }
    // True once the unit left in the middle of an exchange (UnplugAtNextRead).
    bool gone() const { return gone_; }

    // One value of the firmware model's state (see Firmware::state()).
    QJsonValue state(const char *key)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return firmware_.state().value(QLatin1String(key));
    }

private:
    void deny(const QString &node, bool denied)
    {
        ::chmod(QFile::encodeName(root_ + node).constData(), denied ? 0 : 0666);
    }
    // The unit answers from the firmware model; the stranger is not even asked. The new node, or empty.
    QString add(bool unit, bool readable = true)
    {
        static int address = 1;
        ++address;
        const QString node = QStringLiteral("/dev/bus/usb/001/%1").arg(address, 3, 10, QLatin1Char('0'));
        const QString sys = QStringLiteral("/sys/devices/pci0000:00/usb1/1-%1").arg(address);
        if (unit) {
            sys_ = sys;
            gone_ = false;
            umockdev_testbed_attach_ioctl(bed_, qPrintable(node), handler_, nullptr);
        }
        // device (vendor-specific class), one configuration, one interface without endpoints
        const QString descriptors = QLatin1String("12010002ef020140") + (unit ? "d00c0b01" : "6d0442c3") +
                                    "01000102000109021200010100c0320904000000ff000000";
        const QString record =
            QStringLiteral(
                "P: %1\nN: %2\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=%3\nE: MAJOR=189\n"
                "E: MINOR=%4\nA: %9=1\\n\nA: devnum=%5\\n\nA: manufacturer=%6\\n\nA: product=%7\\n\n"
                "H: descriptors=%8\n")
                .arg(sys.mid(4), node.mid(5), node)
                .arg(address - 1)
                .arg(address)
                .arg(unit ? "AVENOR" : "Other", unit ? "LYNTRA K2" : "Keyboard", descriptors)
                .arg(readable ? "busnum" : "speed");
        return umockdev_testbed_add_from_string(bed_, qPrintable(record), nullptr) ? node : QString();
    }

    gboolean ioctl(UMockdevIoctlClient *client)
    {
        UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
        const gulong request = umockdev_ioctl_client_get_request(client);
        if (request == USBDEVFS_REAPURBNDELAY) {
            // A transfer that completed is reaped even from a unit that went, as the kernel allows.
            std::lock_guard<std::mutex> lock(mutex_);
            const bool reaped = done_;
            if (reaped) {
                UMockdevIoctlData *slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(gpointer), nullptr);
                umockdev_ioctl_data_set_ptr(slot, 0, done_);
                g_object_unref(slot);
                g_object_unref(std::exchange(done_, nullptr));
            }
            umockdev_ioctl_client_complete(client, reaped ? 0 : -1, reaped ? 0 : gone_ ? ENODEV : EAGAIN);
            return TRUE;
        }
        if (fault_ == Fault::UnplugAtNextRequest)
            gone_ = true;
        if (gone_)
            umockdev_ioctl_client_complete(client, -1, ENODEV);
        else if (request == USBDEVFS_SUBMITURB)
            submit(client, arg);
        else // the capabilities query: umockdev's fallback would run it on the client's end of its socket
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }

    // One control transfer, answered at once: an OUT message is applied, an IN read gets the next reply.
    void submit(UMockdevIoctlClient *client, UMockdevIoctlData *arg)
    {
        UMockdevIoctlData *urbData = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        auto *urb = reinterpret_cast<usbdevfs_urb *>(urbData->data);
        UMockdevIoctlData *buffer = umockdev_ioctl_data_resolve(
            urbData, G_STRUCT_OFFSET(usbdevfs_urb, buffer), size_t(urb->buffer_length), nullptr);
        uint8_t *setup = buffer->data;
        const int length = setup[6] | setup[7] << 8;
        const bool in = setup[0] & 0x80;
        if (fault_ == Fault::Busy || (in && fault_ == Fault::UnplugAtNextRead)) {
            gone_ = fault_ != Fault::Busy;
            umockdev_ioctl_client_complete(client, -1, gone_ ? ENODEV : EBUSY);
        } else {
            std::lock_guard<std::mutex> lock(mutex_);
            if (in && setup[1] == 30 && length == lyntra::fw::ReplyQueue::kReplySize)
                firmware_.nextReply(setup + 8);
            else if (!in && setup[1] == 29)
                firmware_.apply(setup + 8, size_t(length));
            urb->actual_length = length;
            urb->status = 0;
            done_ = std::exchange(urbData, nullptr); // libusb's transfers here come one at a time
            umockdev_ioctl_client_complete(client, 0, 0);
        }
        g_object_unref(buffer);
        if (urbData)
            g_object_unref(urbData);
    }

    UMockdevTestbed *bed_;
    UMockdevIoctlBase *handler_;
    QString root_, node_, sys_;
    std::mutex mutex_;
    lyntra::fw::Firmware firmware_;
    UMockdevIoctlData *done_ = nullptr; // the completed transfer, not yet reaped
    std::atomic<Fault> fault_{Fault::None};
    std::atomic<bool> gone_{false};
};

} // namespace lyntra_test
