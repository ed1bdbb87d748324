quillmark-run
@CASE@/../../../examples/shaft/shaft.qmp
