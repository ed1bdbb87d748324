quillmark-run
@CASE@/../../../examples/bushing/bushing.qmp
