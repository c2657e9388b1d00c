# SPDX-License-Identifier: GPL-3.0-or-later
'''A small stand-in for the UDisks2 service, as a python-dbusmock template.

It knows USB sticks: a drive object and one block device with a file system on it. The test
adds, mounts and removes them through the methods on the mock interface of the main object,
refuses an eject when told to, and reads back which calls the program made.
'''

import dbus

from dbusmock import MOCK_IFACE

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
MAIN_IFACE = 'org.freedesktop.UDisks2.Manager'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

DRIVE_IFACE = 'org.freedesktop.UDisks2.Drive'
BLOCK_IFACE = 'org.freedesktop.UDisks2.Block'
FS_IFACE = 'org.freedesktop.UDisks2.Filesystem'

# The code of the methods on the added objects runs inside dbusmock, where "objects" holds
# every mock object; the main object keeps the calls made and the names refused.
RECORD = '''
main = objects['/org/freedesktop/UDisks2']
main.calls.append('%s ' + self.path.rsplit('/', 1)[-1])
if self.path.rsplit('/', 1)[-1].rstrip('1') in main.refused:
    raise dbus.exceptions.DBusException('Device is busy', name='org.freedesktop.UDisks2.Error.DeviceBusy')
'''

UNMOUNT = RECORD % 'Unmount' + '''
self.UpdateProperties('org.freedesktop.UDisks2.Filesystem', {'MountPoints': dbus.Array([], signature='ay')})
'''

MOUNT = RECORD % 'Mount' + '''
point = '/media/mock/' + self.Get('org.freedesktop.UDisks2.Block', 'IdLabel')
self.UpdateProperties('org.freedesktop.UDisks2.Filesystem', {'MountPoints': dbus.Array([dbus.ByteArray(point.encode() + b'\\0')], signature='ay')})
ret = point
'''


def load(mock, parameters):
    mock.calls = []
    mock.refused = set()
    mock.AddMethods(MAIN_IFACE, [('GetBlockDevices', 'a{sv}', 'ao', 'ret = []')])


def mount_points(path):
    if not path:
        return dbus.Array([], signature='ay')
    return dbus.Array([dbus.ByteArray(path.encode() + b'\0')], signature='ay')


@dbus.service.method(MOCK_IFACE, in_signature='sstsb', out_signature='')
def AddStick(self, name, label, size, mount_point, can_power_off):
    drive = MAIN_OBJ + '/drives/' + name
    block = MAIN_OBJ + '/block_devices/' + name + '1'
    self.AddObject(drive, DRIVE_IFACE, {
        'ConnectionBus': 'usb', 'Removable': True, 'MediaRemovable': False,
        'Ejectable': False, 'CanPowerOff': can_power_off, 'Optical': False, 'Size': dbus.UInt64(size),
    }, [('Eject', 'a{sv}', '', RECORD % 'Eject'), ('PowerOff', 'a{sv}', '', RECORD % 'PowerOff')])
    self.AddObject(block, BLOCK_IFACE, {
        'Device': dbus.ByteArray(b'/dev/' + name.encode() + b'1\0'), 'IdLabel': label,
        'Size': dbus.UInt64(size), 'Drive': dbus.ObjectPath(drive),
    }, [])
    fs = dbusmock_objects()[block]
    fs.AddProperties(FS_IFACE, {'MountPoints': mount_points(mount_point)})
    fs.AddMethods(FS_IFACE, [('Unmount', 'a{sv}', '', UNMOUNT), ('Mount', 'a{sv}', 's', MOUNT)])
    self.object_manager_emit_added(drive)
    self.object_manager_emit_added(block)


@dbus.service.method(MOCK_IFACE, in_signature='ss', out_signature='')
def SetMountPoint(self, name, mount_point):
    dbusmock_objects()[MAIN_OBJ + '/block_devices/' + name + '1'].UpdateProperties(
        FS_IFACE, {'MountPoints': mount_points(mount_point)})


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='')
def RemoveStick(self, name):
    for path in (MAIN_OBJ + '/block_devices/' + name + '1', MAIN_OBJ + '/drives/' + name):
        self.object_manager_emit_removed(path)
        self.RemoveObject(path)


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='')
def RefuseEject(self, name):
    self.refused.add(name)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='as')
def Calls(self):
    return self.calls


def dbusmock_objects():
    from dbusmock import mockobject
    return mockobject.objects
