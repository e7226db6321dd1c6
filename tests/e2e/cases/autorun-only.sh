# autorun.inf alone is no infection, but the device "can be infected".
make_device() {
    file autorun.inf 80 0x6
}
expect_exit=1
expect_boxes_pt=('== warning | Atenção | O Dispositivo (E:\) pode estar Infectado!')
expect_boxes_en=('== warning | Heads up | The device (E:\) can be Infected!')
