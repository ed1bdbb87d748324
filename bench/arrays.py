m = []
i = 0
while i < 300000:
    m.append(i * 0.5)
    i = i + 1
s = 0
i = 0
while i < 300000:
    s = s + m[i]
    i = i + 1
print(s)
